// LumoraLoader.exe: started at every logon, it loads the stored calibration
// into the display and ends. It has no window and never shows anything; its
// exit code says what happened (companions/apply.h).
#include <windows.h>

#include "companions/apply.h"
#include "ui/system/program_files.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    KeepCurrentFolderOutOfLibrarySearch();
    return companions::ApplyStoredGammas();
}
