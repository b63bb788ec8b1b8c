#include "companions/action_log.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cwchar>

namespace companions {

namespace {

constexpr wchar_t kFolderName[] = L"\\Lumora";
constexpr wchar_t kFileName[] = L"\\LumoraResume.log";
constexpr wchar_t kOldFileName[] = L"\\LumoraResume.old";

bool Join(wchar_t (&path)[MAX_PATH], const wchar_t* folder, const wchar_t* name) {
    const std::size_t folderLength = std::wcslen(folder), nameLength = std::wcslen(name);
    path[0] = L'\0';
    if (folderLength + nameLength >= MAX_PATH) return false;
    std::wmemcpy(path, folder, folderLength);
    std::wmemcpy(path + folderLength, name, nameLength + 1);
    return true;
}

}  // namespace

ActionLog::ActionLog() {
    wchar_t appData[MAX_PATH];
    wchar_t folder[MAX_PATH];
    const DWORD flags = CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE;
    if (SHGetFolderPathW(nullptr, flags, nullptr, SHGFP_TYPE_CURRENT, appData) != S_OK) return;
    if (!Join(folder, appData, kFolderName)) return;
    // Already there, or not to be made: either way the first write tells.
    CreateDirectoryW(folder, nullptr);
    SetPaths(folder);
}

ActionLog::ActionLog(const wchar_t* folder) { SetPaths(folder); }

void ActionLog::SetPaths(const wchar_t* folder) {
    if (!Join(path_, folder, kFileName) || !Join(oldPath_, folder, kOldFileName)) path_[0] = L'\0';
}

void ActionLog::Write(const char* format, ...) {
    if (!path_[0]) return;
    char line[512];
    SYSTEMTIME now;
    GetLocalTime(&now);
    int length = std::snprintf(line, sizeof line, "%04d-%02d-%02d %02d:%02d:%02d  ", now.wYear, now.wMonth, now.wDay,
                               now.wHour, now.wMinute, now.wSecond);
    if (length < 0) return;
    va_list arguments;
    va_start(arguments, format);
    const int text = std::vsnprintf(line + length, sizeof line - length - 2, format, arguments);
    va_end(arguments);
    if (text < 0) return;
    length += std::min(text, static_cast<int>(sizeof line - length - 3));
    line[length++] = '\r';
    line[length++] = '\n';

    RotateIfFull(length);
    const HANDLE file =
        CreateFileW(path_, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(file);
}

void ActionLog::RotateIfFull(DWORD lineBytes) const {
    const HANDLE file = CreateFileW(path_, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const DWORD size = GetFileSize(file, nullptr);
    CloseHandle(file);
    if (size != INVALID_FILE_SIZE && size + lineBytes <= kLimitBytes / 2) return;
    MoveFileExW(path_, oldPath_, MOVEFILE_REPLACE_EXISTING);
}

}  // namespace companions
