#include <windows.h>

#include "app/lumora_app.h"
#include "ui/system/program_files.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    KeepCurrentFolderOutOfLibrarySearch();
    LumoraApp app;
    app.InitInstance();
    return 0;
}
