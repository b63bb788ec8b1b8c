#include "app/ui/image_dialog.h"

#include "app/resources/resource.h"
#include "app/ui/drag_strip.h"
#include "app/ui/scaling/picture_dialog.h"
#include "ui/resources/window_icons.h"

CImageDialog::CImageDialog(UINT templateId, HBITMAP bitmap) : CDialog(templateId), bitmap_(bitmap) {}

void CImageDialog::DoDataExchange() { Bind(IDC_HIDDEN_DEFAULT, hiddenButton_); }

BOOL CImageDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowTextA(GetSafeHwnd(), "Lumora");
    LoadPictureButton(okButton_, IDOK);
    LoadPictureButton(cancelButton_, IDCANCEL);
    ScaleToOwnDpi();
    SetFocus(GetDlgItem(GetSafeHwnd(), IDC_HIDDEN_DEFAULT));
    return FALSE;
}

void CImageDialog::OnScaled(const DisplayScaling& scaling) {
    SetWindowIcons(GetSafeHwnd(), scaling.dpi());
    picture_.ScaleTo(bitmap_, scaling);
    dragRegion_ = ToRect(scaling.Scale(kPictureDialogDragStrip));
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
        CopyBitmap(dc, client, picture_.Get());
        Default();
        EndPaint(GetSafeHwnd(), &paint);
    }
}
