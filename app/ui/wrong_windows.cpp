#include "app/ui/wrong_windows.h"

#include "app/resources/resource.h"
#include "app/ui/drag_strip.h"

CWrongWindows::CWrongWindows(CWnd* parent) : CDialog(IDD_WRONG_WINDOWS, parent) {}

void CWrongWindows::DoDataExchange() { Bind(IDC_HIDDEN_DEFAULT, hiddenButton_); }

BOOL CWrongWindows::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowTextA(GetSafeHwnd(), "Lumora");
    okButton_.AutoLoad(IDOK, *this);
    SetRect(&dragRegion_, 5, 5, 438, 33);
    SetFocus(GetDlgItem(GetSafeHwnd(), IDC_HIDDEN_DEFAULT));
    return FALSE;
}

void CWrongWindows::OnLButtonDown(UINT, POINT) {
    if (!DragFromStrip(*this, dragRegion_, GetSafeHwnd())) Default();
}
