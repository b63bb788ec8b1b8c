#include "app/ui/program_path.h"

#include <windows.h>

std::string ProgramPath() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    // A full buffer holds a truncated path (not even terminated on XP).
    if (length == 0 || length >= sizeof path) return "";
    return {path, length};
}
