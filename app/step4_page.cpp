#include "app/step4_page.h"

#include "app/resources/resource.h"

Step4Page::Step4Page() : CNewWizPage(IDD_STEP4_PAGE, IDB_STEP4_PAGE) {}
