#pragma once

#include "app/ui/new_wiz_page.h"

class CTintspriteDlg : public CNewWizPage {
public:
    CTintspriteDlg();
};
