// Where the two logon companions lie: beside the program, named after it.
// Wide, as the program's own path is: a folder outside the ANSI code page
// must still name them.
#pragma once

#include <string>
#include <string_view>

struct CompanionPaths {
    std::wstring loader;
    std::wstring resume;
};

// For C:\Programs\Lumora\Lumora.exe: ...\LumoraLoader.exe and
// ...\LumoraResume.exe. A program file without an extension keeps its whole
// name as the prefix.
CompanionPaths CompanionPathsFor(std::wstring_view programPath);

// A path as the program of a command line: quoted, so that a blank in a
// folder's name does not end it.
std::wstring Quoted(std::wstring_view path);
