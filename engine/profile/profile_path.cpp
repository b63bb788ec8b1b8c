#include "engine/profile/profile_path.h"

#include <algorithm>
#include <cstring>

namespace plx {

namespace {

constexpr std::size_t kFolderBuffer = 260;
constexpr std::size_t kMaxText = 127;
constexpr char kNotInFileNames[] = "\"/\\[]:;|=,^*?";

// Platform calls promise a terminated path; this makes it so whatever they did.
std::string Terminated(char (&buffer)[kFolderBuffer]) {
    buffer[kFolderBuffer - 1] = '\0';
    return buffer;
}

}  // namespace

std::string ProfileFolder(Files& files) {
    char documents[kFolderBuffer] = {};
    if (!files.SHGetFolderPathA(documents)) return {};
    return Terminated(documents) + "\\My ICC Profiles\\";
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

std::string InstalledCopyPath(ColorService& colorService, const std::string& fileName) {
    char directory[kFolderBuffer] = {};
    if (!colorService.GetColorDirectoryA(directory)) return {};
    std::string path = Terminated(directory);
    if (path.empty()) return {};
    if (path.back() != '\\') path += '\\';
    return path + fileName;
}

}  // namespace plx
