#include "app/lumora_wizard.h"

#include "app/ctintsprite_dlg.h"
#include "app/resources/resource.h"
#include "app/step1_page.h"
#include "app/step2_page.h"
#include "app/step4_page.h"

CLumoraWizard::CLumoraWizard() : CNewWizDialog(IDD_WIZARD) {}

void CLumoraWizard::RegisterPages() {
    AddPage(std::make_unique<CTintspriteDlg>(), IDD_INTRO_PAGE);
    AddPage(std::make_unique<Step1Page>(), IDD_STEP1_PAGE);
    AddPage(std::make_unique<Step2Page>(), IDD_STEP2_PAGE);
    AddPage(std::make_unique<Step4Page>(), IDD_STEP4_PAGE);
}
