#include "app/ui/new_wiz_page.h"

#include "app/ui/drag_strip.h"
#include "app/ui/new_wiz_dialog.h"

CNewWizPage::CNewWizPage(UINT templateId, UINT bitmapId, CWnd* parent)
    : CDialog(templateId, parent), templateId(templateId) {
    backgroundBitmap_.LoadBitmap(bitmapId);
}

BOOL CNewWizPage::OnInitDialog() {
    CDialog::OnInitDialog();
    // The title strip of the page pictures.
    SetRect(&dragRegion_, 188, 5, 728, 34);
    return TRUE;
}

BOOL CNewWizPage::OnEraseBkgnd(HDC) { return TRUE; }

void CNewWizPage::OnLButtonDown(UINT, POINT) {
    if (!wizard || !DragFromStrip(*this, dragRegion_, wizard->GetSafeHwnd())) Default();
}
