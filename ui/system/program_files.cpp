#include "ui/system/program_files.h"

std::wstring OwnProgramPath() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    // A full buffer means a truncated path (not even terminated on XP).
    if (length == 0 || length >= MAX_PATH) return L"";
    return {path, length};
}

std::wstring OwnProgramFolder() {
    std::wstring folder = OwnProgramPath();
    const auto slash = folder.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L"";
    folder.resize(slash + 1);
    return folder;
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    // Longer than the buffer: the answer is the size needed, nothing written.
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + name;
    return LoadLibraryW(path.c_str());
}

void KeepCurrentFolderOutOfLibrarySearch() { SetDllDirectoryA(""); }
