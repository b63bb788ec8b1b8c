#include "companions/settings.h"

#include <windows.h>

#include "engine/request.h"

namespace companions {

namespace {

constexpr char kSettingsKeyPath[] = "Software\\Brightvale\\Lumora";

class SettingsKey {
public:
    SettingsKey() {
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_QUERY_VALUE, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~SettingsKey() {
        if (key_) RegCloseKey(key_);
    }
    SettingsKey(const SettingsKey&) = delete;
    SettingsKey& operator=(const SettingsKey&) = delete;

    // A 4-byte REG_DWORD; anything else stored under the name is Invalid.
    Stored ReadDword(const char* name, std::uint32_t& value) const {
        if (!key_) return Stored::Missing;
        DWORD type = REG_NONE;
        DWORD data = 0;
        DWORD size = sizeof data;
        const LONG status = RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
        if (status == ERROR_FILE_NOT_FOUND) return Stored::Missing;
        if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof data) return Stored::Invalid;
        value = data;
        return Stored::Present;
    }

private:
    HKEY key_ = nullptr;
};

Stored ReadGamma(const SettingsKey& key, const char* name, std::uint32_t& gamma) {
    const Stored stored = key.ReadDword(name, gamma);
    if (stored == Stored::Present && (gamma < kMinGamma || gamma > kMaxGamma)) return Stored::Invalid;
    return stored;
}

}  // namespace

StoredGammas ReadStoredGammas() {
    const SettingsKey key;
    StoredGammas gammas;
    const struct {
        const char* name;
        std::uint32_t* gamma;
    } channels[] = {{"RedGamma", &gammas.red}, {"GreenGamma", &gammas.green}, {"BlueGamma", &gammas.blue}};
    for (const auto& channel : channels) {
        gammas.status = ReadGamma(key, channel.name, *channel.gamma);
        if (gammas.status != Stored::Present) break;
    }
    return gammas;
}

ReminderSettings ReadReminderSettings() {
    const SettingsKey key;
    ReminderSettings reminder;
    if (key.ReadDword("RemindInterval", reminder.interval) != Stored::Present) reminder.interval = 0;
    if (key.ReadDword("RemindDate", reminder.date) != Stored::Present) reminder.date = 0;
    return reminder;
}

bool ReadWatchRamp() {
    std::uint32_t watch = 1;
    return SettingsKey().ReadDword("WatchRamp", watch) != Stored::Present || watch != 0;
}

}  // namespace companions
