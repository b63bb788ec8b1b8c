#pragma once

#include "app/ui/new_wiz_page.h"

class Step2Page : public CNewWizPage {
public:
    Step2Page();
};
