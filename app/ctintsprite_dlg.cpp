#include "app/ctintsprite_dlg.h"

#include "app/companion_paths.h"
#include "app/registry_key.h"
#include "app/reminder_choices.h"
#include "app/reminder_date.h"
#include "app/resources/resource.h"
#include "ui/image_dialog.h"
#include "app/workflow_state.h"

namespace {

void NameCompanionsAfterProgram() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    // A full buffer holds a truncated path (not even terminated on XP), after
    // which no companion could be found: leave the paths empty.
    if (length == 0 || length >= sizeof path) return;
    CompanionPaths paths = CompanionPathsFor({path, length});
    loaderPath = std::move(paths.loader);
    resumePath = std::move(paths.resume);
}

// At most four bytes, whatever the stored type; false when there is no such
// value or it is longer.
bool ReadStoredInterval(std::uint32_t& interval) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD value = 0;
    DWORD size = sizeof value;
    const bool read = RegQueryValueExA(key, "RemindInterval", nullptr, nullptr, reinterpret_cast<BYTE*>(&value),
                                       &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    if (read) interval = value;
    return read;
}

void StoreReminder() {
    const RegistryKey settings = RegistryKey::Create(settingsKeyPath);
    settings.SetDword("RemindDate", remindDate);
    settings.SetDword("RemindInterval", remindInterval);
}

}  // namespace

CTintspriteDlg::CTintspriteDlg() : CNewWizPage(IDD_INTRO_PAGE, IDB_INTRO_PAGE) {}

void CTintspriteDlg::DoDataExchange() { Bind(IDC_REMINDER_LIST, reminderList); }

BOOL CTintspriteDlg::OnInitDialog() {
    CNewWizPage::OnInitDialog();
    NameCompanionsAfterProgram();
    ShowStoredReminder();
    return TRUE;
}

// A first run finds no interval and stores "no reminder".
void CTintspriteDlg::ShowStoredReminder() {
    for (const ReminderChoice& choice : kReminderChoices) reminderList.AddString(choice.text);
    remindInterval = 0;
    remindDate = 0;
    if (!ReadStoredInterval(remindInterval)) StoreReminder();
    reminderList.SetCurSel(ReminderIndexOf(remindInterval));
}

// The choice counts only on Save.
BOOL CTintspriteDlg::OnCommand(UINT id, UINT notify, HWND control) {
    if (id == IDC_REMINDER_LIST && notify == CBN_SELCHANGE) return TRUE;
    return CNewWizPage::OnCommand(id, notify, control);
}

BOOL CTintspriteDlg::OnPageFinish() {
    remindInterval = ReminderIntervalAt(reminderList.GetCurSel(), remindInterval);
    remindDate = RemindDateFor(SecondsSince1970(), remindInterval);
    StoreReminder();
    return TRUE;
}

BOOL CTintspriteDlg::OnQueryExit() {
    CBitmap question;
    question.LoadBitmap(IDB_EXIT_QUESTION);
    const INT_PTR answer = CImageDialog(IDD_EXIT_QUESTION, question.GetSafeHandle()).DoModalOver(GetSafeHwnd());
    // A question that could not be shown (-1) must not keep the user in the wizard.
    return answer != IDCANCEL;
}
