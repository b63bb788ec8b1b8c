#include "app/ctintsprite_dlg.h"

#include "app/resources/resource.h"

CTintspriteDlg::CTintspriteDlg() : CNewWizPage(IDD_INTRO_PAGE, IDB_INTRO_PAGE) {}
