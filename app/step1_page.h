#pragma once

#include "app/ui/new_wiz_page.h"

// Step 1, contrast and brightness: the user works with the monitor's own
// controls against the page's picture. The page has nothing of its own.
class Step1Page : public CNewWizPage {
public:
    Step1Page();
};
