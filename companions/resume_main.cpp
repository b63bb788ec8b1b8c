// LumoraResume.exe: runs from logon to logoff, one per session. It puts the
// stored calibration back whenever the system may have reset the display's
// gamma ramp, and reminds the user to calibrate again when the date set in
// the wizard has come.
#include <windows.h>

#include "companions/reminder.h"
#include "companions/reminder_dialog.h"
#include "companions/resume_arguments.h"
#include "companions/resume_exit.h"
#include "companions/resume_window.h"
#include "companions/settings.h"
#include "companions/single_instance.h"
#include "ui/system/program_files.h"

using namespace companions;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    KeepCurrentFolderOutOfLibrarySearch();
    const SingleInstance session(kResumeMutex);
    if (!session.owned()) return kResumeAlreadyRunning;

    // Right after Save the user has just calibrated: no reminder this session.
    ReminderDialog reminder;
    if (!IsStartedAfterSave(GetCommandLineA()) && IsReminderDue(ReadReminderSettings(), Today()))
        reminder.Show(instance);

    ResumeWindow window;
    if (!window.Create(instance)) return kResumeNoWindow;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (reminder.TakesMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return kResumeEnded;
}
