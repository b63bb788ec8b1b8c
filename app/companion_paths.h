// Where the two logon companions lie: beside the program, named after it.
#pragma once

#include <string>
#include <string_view>

struct CompanionPaths {
    std::string loader;
    std::string resume;
};

// For C:\Programs\Lumora\Lumora.exe: ...\LumoraLoader.exe and
// ...\LumoraResume.exe. A program file without an extension keeps its whole
// name as the prefix.
CompanionPaths CompanionPathsFor(std::string_view programPath);
