#pragma once

#include "app/ui/new_wiz_dialog.h"

// The program's wizard: the frame from template 127 with the four
// calibration pages.
class CLumoraWizard : public CNewWizDialog {
public:
    CLumoraWizard();

protected:
    void RegisterPages() override;
};
