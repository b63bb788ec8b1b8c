#include "app/ui/framework/dialog.h"

#include <commctrl.h>

#include "app/ui/framework/win_app.h"

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
    return CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(templateId), HandleOf(parent), &StaticDialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (!dialog || !dialog->SubclassWindow(window)) return TRUE;
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
