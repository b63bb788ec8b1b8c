#include "ui/framework/dialog.h"

#include <commctrl.h>

#include "ui/framework/win_app.h"
#include "ui/scaling/dialog_template.h"
#include "ui/scaling/window_dpi.h"

namespace {

HWND HandleOf(const CWnd* window) { return window ? window->GetSafeHwnd() : nullptr; }

// Templates hold sliders, which come from the common controls.
void RegisterCommonControls() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
        return InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)registered;
}

std::optional<DialogTemplate> TemplateOf(UINT templateId) {
    HINSTANCE instance = AfxGetResourceHandle();
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(templateId), RT_DIALOG);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return std::nullopt;
    return ReadDialogTemplate(static_cast<const std::uint8_t*>(bytes), SizeofResource(instance, found));
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : templateId_(templateId), parent_(parent) {}

INT_PTR CDialog::DoModal() {
    RegisterCommonControls();
    return DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(templateId_), HandleOf(parent_), &StaticDialogProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CDialog::DoModalOver(HWND window) {
    HWND behind = window ? GetAncestor(window, GA_ROOT) : nullptr;
    // One that is disabled already belongs to a box further out, which enables it.
    if (behind && IsWindowEnabled(behind)) {
        EnableWindow(behind, FALSE);
        windowBehind_ = behind;
    }
    const INT_PTR result = DoModal();
    EnableWindowBehind();  // a dialog that could not be created never ended
    return result;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    RegisterCommonControls();
    templateId_ = templateId;
    return CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(templateId), HandleOf(parent), &StaticDialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (!dialog || !dialog->SubclassWindow(window)) return TRUE;
    dialog->layout_.Capture(window, TemplateOf(dialog->templateId_));
    dialog->pictureButtons_.clear();
    return dialog->OnInitDialog();
}

void CDialog::EndDialog(int result) {
    EnableWindowBehind();
    ::EndDialog(GetSafeHwnd(), result);
}

void CDialog::EnableWindowBehind() {
    if (windowBehind_) EnableWindow(windowBehind_, TRUE);
    windowBehind_ = nullptr;
}

void CDialog::ScaleTo(const DisplayScaling& scaling) {
    const SIZE size = layout_.WindowSize(scaling);
    SetWindowPos(GetSafeHwnd(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutWithin(scaling);
}

void CDialog::LayOutWithin(const DisplayScaling& scaling) {
    scaling_ = scaling;
    layout_.Apply(scaling);
    for (CBitmapButton* button : pictureButtons_) button->ScaleTo(scaling);
    OnScaled(scaling);
}

void CDialog::ScaleToOwnDpi() { ScaleTo(DisplayScaling(WindowDpi(GetSafeHwnd()))); }

void CDialog::LoadPictureButton(CBitmapButton& button, UINT id) {
    if (!button.AutoLoad(id, *this)) return;
    layout_.KeepSize(button.GetSafeHwnd());
    pictureButtons_.push_back(&button);
}

// The suggested rectangle in one move, which keeps the window from being
// rescaled again on the way (Windows 10 asked for our size first, so it has
// it); then what is inside.
LRESULT CDialog::OnDpiChanged(UINT dpi, const RECT& suggested) {
    SetWindowPos(GetSafeHwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutWithin(DisplayScaling(static_cast<int>(dpi)));
    RedrawWindow(GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return 0;
}

BOOL CDialog::OnGetDpiScaledSize(UINT dpi, SIZE& size) {
    size = layout_.WindowSize(DisplayScaling(static_cast<int>(dpi)));
    return TRUE;
}

void CDialog::OnOK() { EndDialog(IDOK); }

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnInitDialog() {
    DoDataExchange();
    return TRUE;
}

void CDialog::Bind(int id, CWnd& control) { control.BindTo(GetDlgItem(GetSafeHwnd(), id)); }

BOOL CDialog::OnCommand(UINT id, UINT notify, HWND control) {
    if (notify == BN_CLICKED && id == IDOK) {
        OnOK();
        return TRUE;
    }
    if (notify == BN_CLICKED && id == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    CWinApp* app = AfxGetApp();
    return app && app->OnCommand(id, notify, control);
}
