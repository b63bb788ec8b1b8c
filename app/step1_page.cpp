#include "app/step1_page.h"

#include "app/resources/resource.h"

Step1Page::Step1Page() : CNewWizPage(IDD_STEP1_PAGE, IDB_STEP1_PAGE) {}
