#include "app/ui/wrong_windows.h"

#include "app/resources/resource.h"
#include "app/ui/drag_strip.h"
#include "app/ui/scaling/picture_dialog.h"
#include "ui/resources/window_icons.h"

CWrongWindows::CWrongWindows(CWnd* parent) : CDialog(IDD_WRONG_WINDOWS, parent) {}

void CWrongWindows::DoDataExchange() { Bind(IDC_HIDDEN_DEFAULT, hiddenButton_); }

BOOL CWrongWindows::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowTextA(GetSafeHwnd(), "Lumora");
    const std::vector<HWND> pictures = PictureControls(GetSafeHwnd());
    if (!pictures.empty()) notice_ = StaticPicture(pictures.front());
    LoadPictureButton(okButton_, IDOK);
    ScaleToOwnDpi();
    SetFocus(GetDlgItem(GetSafeHwnd(), IDC_HIDDEN_DEFAULT));
    return FALSE;
}

void CWrongWindows::OnScaled(const DisplayScaling& scaling) {
    SetWindowIcons(GetSafeHwnd(), scaling.dpi());
    scaledNotice_.ScaleTo(notice_.Original(), scaling);
    notice_.Show(scaledNotice_.Get());
    dragRegion_ = ToRect(scaling.Scale(kPictureDialogDragStrip));
}

void CWrongWindows::OnDestroy() {
    notice_.Restore();
    Default();
}

void CWrongWindows::OnLButtonDown(UINT, POINT) {
    if (!DragFromStrip(*this, dragRegion_, GetSafeHwnd())) Default();
}
