#include "app/companion_paths.h"

CompanionPaths CompanionPathsFor(std::wstring_view programPath) {
    // Only a dot in the file name starts the extension, not one in a folder.
    const auto nameStart = programPath.find_last_of(L"\\/");
    const auto dot = programPath.rfind(L'.');
    const bool hasExtension =
        dot != std::wstring_view::npos && (nameStart == std::wstring_view::npos || dot > nameStart);
    const std::wstring prefix(hasExtension ? programPath.substr(0, dot) : programPath);
    return {prefix + L"Loader.exe", prefix + L"Resume.exe"};
}

std::wstring Quoted(std::wstring_view path) { return L"\"" + std::wstring(path) + L"\""; }
