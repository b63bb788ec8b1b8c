// The companions as installed, under test control: copies of the programs next
// to the recording stand-in PLX.dll in a fresh temporary folder, the stored
// settings set by the test, and everything put back afterwards so that other
// tests find the registry as it was.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/display.h"

namespace companion_test {

constexpr char kSettingsKey[] = "Software\\Brightvale\\Lumora";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr DWORD kPatienceMs = 20000;  // bound of every wait

inline std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\') + 1); }

// bin\ of the build, where this test program and the companions are built.
inline std::string BinFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return length && length < sizeof path ? FolderOf(std::string(path, length)) : "";
}

// The build folder itself, which holds stand-in\ and Lumora-Setup.exe.
inline std::string BuildFolder() { return BinFolder() + "..\\"; }

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The local date `days` after today as YYYYMMDD, by calendar arithmetic.
inline DWORD LocalDateIn(int days) {
    SYSTEMTIME today;
    GetLocalTime(&today);
    today.wHour = 12, today.wMinute = today.wSecond = today.wMilliseconds = 0;
    FILETIME time;
    SystemTimeToFileTime(&today, &time);
    ULARGE_INTEGER ticks{{time.dwLowDateTime, time.dwHighDateTime}};
    ticks.QuadPart += ULONGLONG(days) * 24 * 3600 * 10000000;
    time = {ticks.LowPart, ticks.HighPart};
    SYSTEMTIME later;
    FileTimeToSystemTime(&time, &later);
    return later.wYear * 10000u + later.wMonth * 100u + later.wDay;
}

// A value of the registry as stored: its type and bytes.
struct StoredValue {
    DWORD type;
    std::vector<BYTE> data;
};

inline std::optional<StoredValue> ReadStored(const char* keyPath, const std::string& name,
                                             HKEY root = HKEY_CURRENT_USER) {
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
    StoredValue value{REG_NONE, std::vector<BYTE>(4096)};
    DWORD size = DWORD(value.data.size());
    const bool found =
        RegQueryValueExA(key, name.c_str(), nullptr, &value.type, value.data.data(), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    if (!found) return {};
    value.data.resize(size);
    return value;
}

// Values of one key (under HKEY_CURRENT_USER unless another root is given)
// that a test changes, restored (or removed again) when it ends; keys the
// test created go too.
class RegistryValues {
public:
    explicit RegistryValues(const char* keyPath, HKEY root = HKEY_CURRENT_USER) : keyPath_(keyPath), root_(root) {
        // The key and those of its parents that do not exist yet, deepest first.
        for (std::string path = keyPath; !KeyExists(path);) {
            missingKeys_.push_back(path);
            const auto parent = path.find_last_of('\\');
            if (parent == std::string::npos) break;
            path.resize(parent);
        }
    }
    ~RegistryValues() {
        for (const auto& [name, saved] : saved_) {
            if (saved)
                Write(name, saved->type, saved->data.data(), DWORD(saved->data.size()));
            else
                Remove(name);
        }
        for (const auto& path : missingKeys_) RegDeleteKeyA(root_, path.c_str());
    }
    RegistryValues(const RegistryValues&) = delete;
    RegistryValues& operator=(const RegistryValues&) = delete;

    // Restores the value at the end, whatever the program under test does to it.
    void Keep(const std::string& name) { Save(name); }
    void SetDword(const std::string& name, DWORD value) {
        Save(name);
        Write(name, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }
    void SetString(const std::string& name, const std::string& text) {
        Save(name);
        Write(name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), DWORD(text.size() + 1));
    }
    void SetBinary(const std::string& name, const std::vector<BYTE>& data) {
        Save(name);
        Write(name, REG_BINARY, data.data(), DWORD(data.size()));
    }
    void Remove(const std::string& name) {
        Save(name);
        HKEY key;
        if (RegOpenKeyExA(root_, keyPath_, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        RegDeleteValueA(key, name.c_str());
        RegCloseKey(key);
    }
    // The value's data as stored now, if there is one.
    std::optional<std::vector<BYTE>> Read(const std::string& name) const {
        const auto value = ReadStored(keyPath_, name, root_);
        if (!value) return {};
        return value->data;
    }

private:
    void Save(const std::string& name) {
        if (!saved_.count(name)) saved_[name] = ReadStored(keyPath_, name, root_);
    }
    void Write(const std::string& name, DWORD type, const BYTE* data, DWORD size) {
        HKEY key;
        if (RegCreateKeyExA(root_, keyPath_, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        RegSetValueExA(key, name.c_str(), 0, type, data, size);
        RegCloseKey(key);
    }

    bool KeyExists(const std::string& path) const {
        HKEY key;
        if (RegOpenKeyExA(root_, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }

    const char* keyPath_;
    HKEY root_;
    std::vector<std::string> missingKeys_;
    std::map<std::string, std::optional<StoredValue>> saved_;
};

// A started program; ended by force if a test leaves it running.
class Process {
public:
    // Starts `program` with `arguments` appended to its quoted path, in its
    // own folder unless another working folder is given.
    Process(const std::string& program, const std::string& arguments, const std::string& workingFolder = "") {
        std::string commandLine = "\"" + program + "\"" + arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           (workingFolder.empty() ? FolderOf(program) : workingFolder).c_str(), &startup, &info)) {
            CloseHandle(info.hThread);
            handle_ = info.hProcess;
            id_ = info.dwProcessId;
        }
    }
    ~Process() {
        if (!handle_) return;
        if (WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT) {
            TerminateProcess(handle_, 99);
            WaitForSingleObject(handle_, kPatienceMs);
        }
        CloseHandle(handle_);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool started() const { return handle_ != nullptr; }
    DWORD id() const { return id_; }
    // The exit code, or nothing if the program is still running after `ms`.
    std::optional<DWORD> WaitForExit(DWORD ms = kPatienceMs) const {
        DWORD code = 0;
        if (!handle_ || WaitForSingleObject(handle_, ms) != WAIT_OBJECT_0 || !GetExitCodeProcess(handle_, &code))
            return {};
        return code;
    }

private:
    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
};

// The program's top-level window of the given class (and title, if given),
// polled for until it appears or the wait runs out.
inline HWND WaitForWindow(const char* windowClass, const char* title, DWORD ms = kPatienceMs) {
    for (DWORD waited = 0;; waited += 50) {
        if (HWND window = FindWindowA(windowClass, title)) return window;
        if (waited >= ms) return nullptr;
        Sleep(50);
    }
}

inline bool WaitUntilGone(const char* windowClass, const char* title, DWORD ms = kPatienceMs) {
    for (DWORD waited = 0;; waited += 50) {
        if (!FindWindowA(windowClass, title)) return true;
        if (waited >= ms) return false;
        Sleep(50);
    }
}

// Ends a resume program left running by an earlier test (the wizard starts
// one after Save), as the installer would; true when none is left.
inline bool EndLeftoverResume(const char* windowClass) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        HWND window = FindWindowA(windowClass, nullptr);
        if (!window) return true;
        DWORD_PTR result;
        SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kPatienceMs, &result);
        WaitUntilGone(windowClass, nullptr);
    }
    return !FindWindowA(windowClass, nullptr);
}

// A fresh folder holding LumoraLoader.exe, LumoraResume.exe and the recording
// stand-in as PLX.dll, with the stand-in's log pointed into it. Removed with
// everything in it at the end.
class Sandbox {
public:
    Sandbox() {
        char temp[MAX_PATH];
        char name[MAX_PATH];
        if (!GetTempPathA(sizeof temp, temp) || !GetTempFileNameA(temp, "lum", 0, name)) return;
        DeleteFileA(name);  // the unique name becomes the folder
        if (!CreateDirectoryA(name, nullptr)) return;
        folder_ = std::string(name) + "\\";
        Copy(BinFolder() + "LumoraLoader.exe", "LumoraLoader.exe");
        Copy(BinFolder() + "LumoraResume.exe", "LumoraResume.exe");
        Copy(BuildFolder() + "stand-in\\PLX.dll", "PLX.dll");
        SetEnvironmentVariableA("PLX_RECORD_LOG", Path("record.log").c_str());
        SetEnvironmentVariableA("PLX_RECORD_RESULTS", nullptr);
    }
    ~Sandbox() {
        SetEnvironmentVariableA("PLX_RECORD_LOG", nullptr);
        SetEnvironmentVariableA("PLX_RECORD_RESULTS", nullptr);
        if (folder_.empty()) return;
        WIN32_FIND_DATAA found;
        const HANDLE search = FindFirstFileA(Path("*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA(Path(found.cFileName).c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder_.c_str());
    }
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    bool ready() const { return !folder_.empty() && Exists(Path("PLX.dll")) && Exists(Path("LumoraResume.exe")); }
    std::string Path(const std::string& name) const { return folder_ + name; }
    bool Copy(const std::string& from, const std::string& name) const {
        return CopyFileA(from.c_str(), Path(name).c_str(), FALSE) != FALSE;
    }
    void Delete(const std::string& name) const { DeleteFileA(Path(name).c_str()); }

    // The stand-in's calls so far, one line each.
    std::vector<std::string> Calls() const {
        std::vector<std::string> lines;
        std::ifstream log(Path("record.log"));
        for (std::string line; std::getline(log, line);) lines.push_back(line);
        return lines;
    }
    // Waits until the log holds `count` calls (or the wait runs out).
    std::vector<std::string> WaitForCalls(std::size_t count, DWORD ms = kPatienceMs) const {
        for (DWORD waited = 0;; waited += 50) {
            auto calls = Calls();
            if (calls.size() >= count || waited >= ms) return calls;
            Sleep(50);
        }
    }

private:
    std::string folder_;
};

}  // namespace companion_test
