#include "app/ui/wrong_windows.h"

#include "app/resources/resource.h"
#include "app/ui/dialog_layout.h"
#include "app/ui/drag_strip.h"

CWrongWindows::CWrongWindows(CWnd* parent) : CDialog(IDD_WRONG_WINDOWS, parent) {}

void CWrongWindows::DoDataExchange() { Bind(IDC_HIDDEN_DEFAULT, hiddenButton_); }

BOOL CWrongWindows::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowTextA(GetSafeHwnd(), "Lumora");
    const DisplayScaling scaling = LayOutAtScreenDpi(GetSafeHwnd());
    if (!scaling.Unscaled()) ShowScaledPicture(scaling);
    okButton_.AutoLoad(IDOK, *this);
    okButton_.ScaleTo(scaling);
    dragRegion_ = Scaled(kPictureDialogDragStrip, scaling);
    SetFocus(GetDlgItem(GetSafeHwnd(), IDC_HIDDEN_DEFAULT));
    return FALSE;
}

// The static picture shows its image at the image's own size.
void CWrongWindows::ShowScaledPicture(const DisplayScaling& scaling) {
    const std::vector<HWND> pictures = PictureControls(GetSafeHwnd());
    if (pictures.empty()) return;
    picture_ = pictures.front();
    originalPicture_ = reinterpret_cast<HBITMAP>(SendMessageA(picture_, STM_GETIMAGE, IMAGE_BITMAP, 0));
    scaledPicture_ = originalPicture_ ? ScaledCopy(originalPicture_, scaling) : nullptr;
    if (scaledPicture_) SendMessageA(picture_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(scaledPicture_));
}

// The static gets its own picture back before ours is deleted.
void CWrongWindows::OnDestroy() {
    if (scaledPicture_) {
        SendMessageA(picture_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(originalPicture_));
        DeleteObject(scaledPicture_);
        scaledPicture_ = nullptr;
    }
    Default();
}

void CWrongWindows::OnLButtonDown(UINT, POINT) {
    if (!DragFromStrip(*this, dragRegion_, GetSafeHwnd())) Default();
}
