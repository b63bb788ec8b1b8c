#include "app/step2_page.h"

#include "app/resources/resource.h"

Step2Page::Step2Page() : CNewWizPage(IDD_STEP2_PAGE, IDB_STEP2_PAGE) {}
