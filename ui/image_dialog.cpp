#include "ui/image_dialog.h"

#include "ui/drag_strip.h"

namespace {

// The strip along the top of the picture, at 96 dpi.
constexpr LayoutRect kDragStrip = {5, 5, 433, 28};

}  // namespace

CImageDialog::CImageDialog(UINT templateId, HBITMAP bitmap, CWnd* parent)
    : CDialog(templateId, parent), bitmap_(bitmap) {}

void CImageDialog::DoDataExchange() {
    Bind(kHiddenDefaultButton, hiddenButton_);
    const std::vector<HWND> pictures = PictureControls(GetSafeHwnd());
    if (!bitmap_ && !pictures.empty()) staticPicture_ = StaticPicture(pictures.front());
}

BOOL CImageDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowTextA(GetSafeHwnd(), "Lumora");
    LoadPictureButton(okButton_, IDOK);
    LoadPictureButton(cancelButton_, IDCANCEL);
    ScaleToOwnDpi();
    SetFocus(GetDlgItem(GetSafeHwnd(), kHiddenDefaultButton));
    return FALSE;
}

void CImageDialog::OnScaled(const DisplayScaling& scaling) {
    picture_.ScaleTo(bitmap_ ? bitmap_ : staticPicture_.Original(), scaling);
    staticPicture_.Show(picture_.Get());
    dragRegion_ = ToRect(scaling.Scale(kDragStrip));
}

// The static picture gets its own bitmap back before ours goes.
void CImageDialog::OnDestroy() {
    staticPicture_.Restore();
    Default();
}

void CImageDialog::OnLButtonDown(UINT, POINT) {
    if (!DragFromStrip(*this, dragRegion_, GetSafeHwnd())) Default();
}

void CImageDialog::OnPaint() {
    if (!bitmap_ || IsIconic(GetSafeHwnd())) {
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
