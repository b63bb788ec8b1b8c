// Stands in for LumoraResume.exe in tests of the save page, which starts the
// resume program after Save: it appends how it was started to the file named
// by LUMORA_RESUME_LOG and ends at once. One line for the command line as
// given, then one line per argument as the C library parsed it, in brackets
// so that blanks show:
//   "C:\...\LumoraResume.exe" " "
//   [C:\...\LumoraResume.exe]
//   [ ]
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("LUMORA_RESUME_LOG", path, sizeof path);
    if (length == 0 || length >= sizeof path) return 1;
    std::FILE* log = std::fopen(path, "a");
    if (!log) return 1;
    std::fprintf(log, "%s\n", GetCommandLineA());
    for (int i = 0; i < __argc; ++i) std::fprintf(log, "[%s]\n", __argv[i]);
    std::fclose(log);
    return 0;
}
