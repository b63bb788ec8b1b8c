#pragma once

#include "app/ui/new_wiz_page.h"

class Step4Page : public CNewWizPage {
public:
    Step4Page();
};
