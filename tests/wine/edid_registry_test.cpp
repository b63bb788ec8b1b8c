// The monitor lookup against Wine's own display enumeration and registry: a
// fresh PLX.dll reports the monitor's white through code 4, first with Wine's
// monitor as it comes (no EDID value), then with an EDID block written where
// each Windows generation keeps it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/request.h"

namespace {

constexpr char kReporter[] = "plx_white_report.exe";
const std::string kEnumRoot = "SYSTEM\\CurrentControlSet\\Enum\\";
const std::string kInstanceList = "SYSTEM\\CurrentControlSet\\Services\\monitor\\Enum";

// A structure-version-1 block whose chromaticity decodes to red 0.640 0.330,
// green 0.300 0.600, blue 0.150 0.060 and white 0.283 0.297: 9317 K, far
// from the default white's 6504 K.
std::vector<BYTE> EdidBlock() {
    std::vector<BYTE> edid = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    edid.resize(128);
    edid[18] = 1;
    const BYTE chromaticity[10] = {0xEE, 0x98, 0xA3, 0x54, 0x4C, 0x99, 0x26, 0x0F, 0x48, 0x4C};
    std::copy(chromaticity, chromaticity + 10, edid.begin() + 25);
    return edid;
}

// Registry changes made by a test, undone in reverse order when it ends, so
// that the tests after it see Wine's registry as it was.
class RegistryChanges {
public:
    ~RegistryChanges() {
        for (auto undo = undo_.rbegin(); undo != undo_.rend(); ++undo) (*undo)();
    }

    // Creates the key and whatever part of its path is missing.
    bool CreateKey(HKEY root, const std::string& path) {
        for (std::size_t end = 0; end != std::string::npos;) {
            end = path.find('\\', end + 1);
            const std::string part = path.substr(0, end);
            HKEY key = nullptr;
            DWORD disposition = 0;
            if (RegCreateKeyExA(root, part.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, &disposition) !=
                ERROR_SUCCESS)
                return false;
            RegCloseKey(key);
            if (disposition == REG_CREATED_NEW_KEY) undo_.push_back([root, part] { RegDeleteKeyA(root, part.c_str()); });
        }
        return true;
    }

    // Sets the value; undoing puts back what was there, or removes it.
    bool SetValue(HKEY root, const std::string& path, const char* name, DWORD type, const void* data,
                  DWORD size) {
        if (!CreateKey(root, path)) return false;
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS) return false;
        std::vector<BYTE> old(4096);
        DWORD oldType = 0, oldSize = static_cast<DWORD>(old.size());
        const bool existed = RegQueryValueExA(key, name, nullptr, &oldType, old.data(), &oldSize) == ERROR_SUCCESS;
        old.resize(existed ? oldSize : 0);
        const bool set = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
        RegCloseKey(key);
        undo_.push_back([=, name = std::string(name)] {
            HKEY undoKey = nullptr;
            if (RegOpenKeyExA(root, path.c_str(), 0, KEY_WRITE, &undoKey) != ERROR_SUCCESS) return;
            if (existed)
                RegSetValueExA(undoKey, name.c_str(), 0, oldType, old.data(), static_cast<DWORD>(old.size()));
            else
                RegDeleteValueA(undoKey, name.c_str());
            RegCloseKey(undoKey);
        });
        return set;
    }

    bool SetText(HKEY root, const std::string& path, const char* name, const std::string& text) {
        return SetValue(root, path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }

private:
    std::vector<std::function<void()>> undo_;
};

struct Report {
    int result = -1;
    unsigned whitePoint = 0, platformId = 0, majorVersion = 0;
};

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// Starts the reporter and reads the line it prints.
bool RunReporter(Report& report) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return false;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    std::string commandLine = ProgramFolder() + kReporter;
    const bool started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process);
    CloseHandle(writeEnd);
    std::string output;
    char chunk[256];
    DWORD got = 0;
    while (started && ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) && got > 0) output.append(chunk, got);
    CloseHandle(readEnd);
    if (!started) return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return std::sscanf(output.c_str(), "%d %u %u %u", &report.result, &report.whitePoint, &report.platformId,
                       &report.majorVersion) == 4;
}

class EdidRegistry : public ::testing::Test {
protected:
    void SetUp() override {
        // The primary monitor and its instance key, as Wine enumerates them.
        DISPLAY_DEVICEA adapter{};
        adapter.cb = sizeof adapter;
        for (DWORD i = 0; EnumDisplayDevicesA(nullptr, i, &adapter, 0); ++i) {
            if (adapter.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) break;
        }
        DISPLAY_DEVICEA monitor{};
        monitor.cb = sizeof monitor;
        ASSERT_TRUE(EnumDisplayDevicesA(adapter.DeviceName, 0, &monitor, 0));
        const std::string id = monitor.DeviceID;  // MONITOR\<model>\<class>\<n>
        const std::size_t first = id.find('\\'), second = id.find('\\', first + 1);
        ASSERT_NE(second, std::string::npos) << id;
        const std::string model = "DISPLAY\\" + id.substr(first + 1, second - first - 1);

        HKEY modelKey = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (kEnumRoot + model).c_str(), 0, KEY_READ, &modelKey),
                  ERROR_SUCCESS);
        char name[MAX_PATH];
        DWORD nameSize = sizeof name;
        const LONG found = RegEnumKeyExA(modelKey, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr);
        RegCloseKey(modelKey);
        ASSERT_EQ(found, ERROR_SUCCESS);
        instancePath = model + "\\" + name;  // e.g. DISPLAY\Default_Monitor\0000&0000

        HKEY list = nullptr;
        ASSERT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstanceList.c_str(), 0, KEY_READ, &list), ERROR_SUCCESS)
            << "this prefix already lists monitor instances";
    }

    Report Start(const char* windowsVersion) {
        Report report;
        EXPECT_TRUE(changes.SetText(HKEY_CURRENT_USER, std::string("Software\\Wine\\AppDefaults\\") + kReporter,
                                    "Version", windowsVersion));
        EXPECT_TRUE(RunReporter(report)) << "the reporter did not run";
        return report;
    }

    void WriteEdid() {
        const std::vector<BYTE> edid = EdidBlock();
        ASSERT_TRUE(changes.SetValue(HKEY_LOCAL_MACHINE, kEnumRoot + instancePath + "\\Device Parameters", "EDID",
                                     REG_BINARY, edid.data(), static_cast<DWORD>(edid.size())));
    }

    void ListTheMonitorInstance() {
        const DWORD count = 1;
        ASSERT_TRUE(changes.SetValue(HKEY_LOCAL_MACHINE, kInstanceList, "Count", REG_DWORD, &count, sizeof count));
        ASSERT_TRUE(changes.SetText(HKEY_LOCAL_MACHINE, kInstanceList, "0", instancePath));
    }

    std::string instancePath;
    RegistryChanges changes;
};

// What code 4 answered: result and kelvin.
std::pair<int, unsigned> White(const Report& report) { return {report.result, report.whitePoint}; }

const std::pair<int, unsigned> kDefaultWhite{ResultWhiteFromDefault, 6504};
const std::pair<int, unsigned> kEdidWhite{ResultWhiteFromEdid, 9317};

TEST_F(EdidRegistry, WindowsXpReadsTheLastInstanceOfTheDisplayClass) {
    Report report = Start("winxp");
    ASSERT_EQ(report.platformId, 2u);
    ASSERT_EQ(report.majorVersion, 5u);
    EXPECT_EQ(White(report), kDefaultWhite);

    WriteEdid();
    report = Start("winxp");
    EXPECT_EQ(White(report), kEdidWhite);
}

TEST_F(EdidRegistry, Windows7ReadsTheListedInstance) {
    Report report = Start("win7");
    ASSERT_EQ(report.platformId, 2u);
    ASSERT_EQ(report.majorVersion, 6u);
    EXPECT_EQ(White(report), kDefaultWhite);

    WriteEdid();  // not found until the instance list names it
    report = Start("win7");
    EXPECT_EQ(White(report), kDefaultWhite);

    ListTheMonitorInstance();
    report = Start("win7");
    EXPECT_EQ(White(report), kEdidWhite);
}

}  // namespace
