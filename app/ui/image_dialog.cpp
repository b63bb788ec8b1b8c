#include "app/ui/image_dialog.h"

#include "app/resources/resource.h"
#include "app/ui/drag_strip.h"

CImageDialog::CImageDialog(UINT templateId, HBITMAP bitmap) : CDialog(templateId), bitmap_(bitmap) {}

void CImageDialog::DoDataExchange() { Bind(IDC_HIDDEN_DEFAULT, hiddenButton_); }

BOOL CImageDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowTextA(GetSafeHwnd(), "Lumora");
    okButton_.AutoLoad(IDOK, *this);
    cancelButton_.AutoLoad(IDCANCEL, *this);
    SetRect(&dragRegion_, 5, 5, 438, 33);
    SetFocus(GetDlgItem(GetSafeHwnd(), IDC_HIDDEN_DEFAULT));
    return FALSE;
}

void CImageDialog::OnLButtonDown(UINT, POINT) {
    if (!DragFromStrip(*this, dragRegion_, GetSafeHwnd())) Default();
}

void CImageDialog::OnPaint() {
    if (IsIconic(GetSafeHwnd())) {
        Default();
        return;
    }
    PAINTSTRUCT paint;
    if (HDC dc = BeginPaint(GetSafeHwnd(), &paint)) {
        RECT client{};
        GetClientRect(GetSafeHwnd(), &client);
        CopyBitmap(dc, client, bitmap_);
        Default();
        EndPaint(GetSafeHwnd(), &paint);
    }
}
