// Where the profile goes and what it is called.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/platform/platform.h"

namespace plx {

// The profile locator's path buffer: a path must fit it with its terminator.
constexpr std::size_t kProfilePathBuffer = 260;

// The documents folder followed by "\My ICC Profiles\"; empty when there is
// no documents folder, which puts the file in the current directory; nothing
// when the folder's name does not fit the path buffer, so that no profile
// path can be made in it.
std::optional<std::string> ProfileFolder(Files& files);

// A text field of the request left empty by the caller (length 0) takes at
// most 127 characters of the monitor's name.
void FillFromMonitorName(char (&field)[128], std::uint32_t& length, const char* monitorName);

// The profile name with the characters that cannot stand in a file name
// replaced by '_', followed by ".icm".
std::string ProfileFileName(const char (&profileName)[128]);

// Whether a profile can be written at path as it stands: it fits the
// locator's buffer and names a file, with no wildcard in it ('?' is what a
// folder name the ANSI code page cannot spell comes back with) and no device
// for a name ("COM1.icm" is the serial port in any folder). Any other path is
// refused, never cut or changed.
bool UsableProfilePath(const char* path);

// Where the colour service keeps its installed copy of fileName; empty when
// the colour directory cannot be determined.
std::string InstalledCopyPath(ColorService& colorService, const std::string& fileName);

}  // namespace plx
