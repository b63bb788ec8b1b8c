#include "app/ui/image_dialog.h"

#include <utility>

#include "app/resources/resource.h"
#include "app/ui/dialog_layout.h"
#include "app/ui/drag_strip.h"

CImageDialog::CImageDialog(UINT templateId, HBITMAP bitmap) : CDialog(templateId), bitmap_(bitmap) {}

void CImageDialog::DoDataExchange() { Bind(IDC_HIDDEN_DEFAULT, hiddenButton_); }

BOOL CImageDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowTextA(GetSafeHwnd(), "Lumora");
    scaling_ = LayOutAtScreenDpi(GetSafeHwnd());
    for (auto [button, id] : {std::pair{&okButton_, IDOK}, std::pair{&cancelButton_, IDCANCEL}}) {
        button->AutoLoad(id, *this);
        button->ScaleTo(scaling_);
    }
    dragRegion_ = Scaled(kPictureDialogDragStrip, scaling_);
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
        DrawBitmap(dc, client, bitmap_, scaling_);
        Default();
        EndPaint(GetSafeHwnd(), &paint);
    }
}
