#include "companions/own_folder.h"

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

HANDLE StartFromOwnFolder(const char* program) {
    const std::string folder = OwnFolder();
    if (folder.empty()) return nullptr;
    const std::string path = folder + program;
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_DEFAULT_ERROR_MODE, nullptr,
                        folder.c_str(), &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

}  // namespace companions
