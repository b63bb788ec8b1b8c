#include "companions/own_folder.h"

#include <cstring>
#include <string>

#include "ui/system/program_files.h"

namespace companions {

HANDLE StartFromOwnFolder(const char* program, StartFeedback feedback) {
    const std::wstring folder = OwnProgramFolder();
    if (folder.empty() || !program) return nullptr;
    const std::wstring path = folder + std::wstring(program, program + std::strlen(program));
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (feedback == StartFeedback::Off) startup.dwFlags = STARTF_FORCEOFFFEEDBACK;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_DEFAULT_ERROR_MODE, nullptr,
                        folder.c_str(), &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

}  // namespace companions
