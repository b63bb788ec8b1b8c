#include "app/ui/new_wiz_page.h"

#include "ui/drag_strip.h"
#include "app/ui/new_wiz_dialog.h"

CNewWizPage::CNewWizPage(UINT templateId, UINT bitmapId, CWnd* parent)
    : CDialog(templateId, parent), templateId(templateId) {
    backgroundBitmap_.LoadBitmap(bitmapId);
}

namespace {

// The title strip of the page pictures, at 96 dpi.
constexpr LayoutRect kDragStrip = {188, 5, 540, 29};

}  // namespace

BOOL CNewWizPage::OnInitDialog() {
    CDialog::OnInitDialog();
    dragRegion_ = ToRect(kDragStrip);
    return TRUE;
}

void CNewWizPage::ScaleBackground(const DisplayScaling& scaling) {
    background_.ScaleTo(backgroundBitmap_.GetSafeHandle(), scaling);
}

void CNewWizPage::OnScaled(const DisplayScaling& scaling) { dragRegion_ = ToRect(scaling.Scale(kDragStrip)); }

BOOL CNewWizPage::OnEraseBkgnd(HDC) { return TRUE; }

void CNewWizPage::OnLButtonDown(UINT, POINT) {
    if (!wizard || !DragFromStrip(*this, dragRegion_, wizard->GetSafeHwnd())) Default();
}
