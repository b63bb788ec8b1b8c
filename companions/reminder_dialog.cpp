#include "companions/reminder_dialog.h"

#include "companions/own_folder.h"
#include "companions/resources/resource.h"

namespace companions {

ReminderPicture::ReminderPicture() { picture.LoadBitmap(IDB_REMINDER); }

ReminderDialog::ReminderDialog() : CImageDialog(IDD_REMINDER, picture.GetSafeHandle()) {}

ReminderDialog::~ReminderDialog() {
    if (GetSafeHwnd()) DestroyWindow(GetSafeHwnd());
}

bool ReminderDialog::Show(HINSTANCE instance) {
    // The template names this class, so the reminder can be told apart from
    // the wizard's own "Lumora" dialogs.
    WNDCLASSA dialogClass{};
    dialogClass.lpfnWndProc = DefDlgProcA;
    dialogClass.cbWndExtra = DLGWINDOWEXTRA;
    dialogClass.hInstance = instance;
    dialogClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    dialogClass.lpszClassName = kReminderClass;
    if (!picture.GetSafeHandle() || !RegisterClassA(&dialogClass) || !Create(IDD_REMINDER, nullptr)) return false;
    ShowWindow(GetSafeHwnd(), SW_SHOW);
    SetForegroundWindow(GetSafeHwnd());
    return true;
}

bool ReminderDialog::TakesMessage(MSG& message) { return GetSafeHwnd() && IsDialogMessageA(GetSafeHwnd(), &message); }

// Laid out at its dpi, then centred on the work area.
BOOL ReminderDialog::OnInitDialog() {
    CImageDialog::OnInitDialog();
    RECT window{};
    GetWindowRect(GetSafeHwnd(), &window);
    const int width = window.right - window.left, height = window.bottom - window.top;
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(GetSafeHwnd(), nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return FALSE;
}

// Lumora.exe on its own: not waited for.
void ReminderDialog::OnOK() {
    if (HANDLE wizard = StartFromOwnFolder("Lumora.exe")) CloseHandle(wizard);
    DestroyWindow(GetSafeHwnd());
}

void ReminderDialog::OnCancel() { DestroyWindow(GetSafeHwnd()); }

}  // namespace companions
