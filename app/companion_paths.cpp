#include "app/companion_paths.h"

CompanionPaths CompanionPathsFor(std::string_view programPath) {
    // Only a dot in the file name starts the extension, not one in a folder.
    const auto nameStart = programPath.find_last_of("\\/");
    const auto dot = programPath.rfind('.');
    const bool hasExtension = dot != std::string_view::npos && (nameStart == std::string_view::npos || dot > nameStart);
    const std::string prefix(hasExtension ? programPath.substr(0, dot) : programPath);
    return {prefix + "Loader.exe", prefix + "Resume.exe"};
}
