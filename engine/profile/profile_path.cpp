#include "engine/profile/profile_path.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string_view>

namespace plx {

namespace {

constexpr std::size_t kFolderBuffer = 260;
constexpr std::size_t kMaxText = 127;
constexpr char kNotInFileNames[] = "\"/\\[]:;|=,^*?";
constexpr char kWildcards[] = "?*";

// The names the system keeps for devices, in any letter case; COM and LPT
// take a digit, also the code page's superscript one, two and three.
constexpr std::string_view kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
constexpr std::string_view kNumberedDevices[] = {"COM", "LPT"};
constexpr std::string_view kDeviceDigits = "0123456789\xB9\xB2\xB3";

// Platform calls promise a terminated path; this makes it so whatever they did.
std::string Terminated(char (&buffer)[kFolderBuffer]) {
    buffer[kFolderBuffer - 1] = '\0';
    return buffer;
}

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

// A file name stands for a device when what comes before its first dot,
// without trailing blanks, is a device's name.
bool NamesADevice(std::string_view fileName) {
    std::string_view base = fileName.substr(0, fileName.find('.'));
    while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
    for (std::string_view device : kDevices)
        if (SameLetters(base, device)) return true;
    for (std::string_view device : kNumberedDevices)
        if (base.size() == device.size() + 1 && SameLetters(base.substr(0, device.size()), device) &&
            kDeviceDigits.find(base.back()) != std::string_view::npos)
            return true;
    return false;
}

}  // namespace

std::optional<std::string> ProfileFolder(Files& files) {
    char documents[kFolderBuffer] = {};
    switch (files.SHGetFolderPathA(documents)) {
    case FolderLookup::Found: return Terminated(documents) + "\\My ICC Profiles\\";
    case FolderLookup::Missing: return std::string();
    case FolderLookup::Unusable: break;
    }
    return std::nullopt;
}

void FillFromMonitorName(char (&field)[128], std::uint32_t& length, const char* monitorName) {
    if (length != 0) return;
    const char* end = std::find(monitorName, monitorName + kMaxText, '\0');
    std::fill(std::begin(field), std::end(field), '\0');
    std::copy(monitorName, end, field);
    length = static_cast<std::uint32_t>(end - monitorName);
}

std::string ProfileFileName(const char (&profileName)[128]) {
    std::string name(profileName, std::find(std::begin(profileName), std::end(profileName), '\0'));
    for (char& c : name) {
        if (std::strchr(kNotInFileNames, c) != nullptr) c = '_';
    }
    return name + ".icm";
}

bool UsableProfilePath(const char* path) {
    if (path == nullptr) return false;
    const std::string_view text = path;
    const std::size_t lastSlash = text.find_last_of("\\/");
    return text.size() < kProfilePathBuffer && text.find_first_of(kWildcards) == std::string_view::npos &&
           !NamesADevice(lastSlash == std::string_view::npos ? text : text.substr(lastSlash + 1));
}

std::string InstalledCopyPath(ColorService& colorService, const std::string& fileName) {
    char directory[kFolderBuffer] = {};
    if (!colorService.GetColorDirectoryA(directory)) return {};
    std::string path = Terminated(directory);
    if (path.empty()) return {};
    if (path.back() != '\\') path += '\\';
    return path + fileName;
}

}  // namespace plx
