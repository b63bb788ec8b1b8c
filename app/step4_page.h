#pragma once

#include "app/ui/new_wiz_page.h"

// The save step. Save stores the chosen gammas, registers the companions for
// logon, has the engine make and install the monitor profile, and starts the
// resume program; Exit puts back the gammas in force before the gamma step.
class Step4Page : public CNewWizPage {
public:
    Step4Page();

    BOOL OnPageFinish() override;
    void OnCancel() override;
};
