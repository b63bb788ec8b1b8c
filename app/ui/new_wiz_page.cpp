#include "app/ui/new_wiz_page.h"

#include "app/ui/drag_strip.h"
#include "app/ui/new_wiz_dialog.h"

CNewWizPage::CNewWizPage(UINT templateId, UINT bitmapId, CWnd* parent)
    : CDialog(templateId, parent), templateId(templateId) {
    backgroundBitmap_.LoadBitmap(bitmapId);
}

namespace {

// The title strip of the page pictures, at 96 dpi.
constexpr RECT kDragStrip = {188, 5, 728, 34};

}  // namespace

BOOL CNewWizPage::OnInitDialog() {
    CDialog::OnInitDialog();
    dragRegion_ = kDragStrip;
    return TRUE;
}

// The page was made at the frame's dpi of that moment, the first scaling
// it is given.
void CNewWizPage::ScaleTo(const DisplayScaling& scaling) {
    if (!layout_.Captured()) layout_.Capture(GetSafeHwnd(), scaling.dpi());
    layout_.Apply(scaling);
    dragRegion_ = Scaled(kDragStrip, scaling);
}

BOOL CNewWizPage::OnEraseBkgnd(HDC) { return TRUE; }

void CNewWizPage::OnLButtonDown(UINT, POINT) {
    if (!wizard || !DragFromStrip(*this, dragRegion_, wizard->GetSafeHwnd())) Default();
}
