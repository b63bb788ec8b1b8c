#include "companions/own_folder.h"

#include <windows.h>

namespace companions {

std::string OwnFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    // A full buffer means a truncated path (not even terminated on XP).
    if (length == 0 || length >= sizeof path) return "";
    std::string folder(path, length);
    const auto slash = folder.find_last_of("\\/");
    if (slash == std::string::npos) return "";
    folder.resize(slash + 1);
    return folder;
}

}  // namespace companions
