// Where a program finds the files it loads and starts: its own folder, from
// its own path, and the system folder, both by full path, never through the
// library search, which would try the current folder and PATH. Wide
// throughout: the ANSI form of a folder outside the code page (a user's name
// in another script) has "?" in it and names nothing.
#pragma once

#include <windows.h>

#include <string>

// The running program's full path, or "" when it is unavailable or too long
// for MAX_PATH.
std::wstring OwnProgramPath();

// That path's folder with its trailing backslash, or "".
std::wstring OwnProgramFolder();

// A library of the system folder, or null when it is not there: a missing
// system library (shcore.dll before Windows 8.1) must not be looked for
// anywhere else.
HMODULE LoadSystemLibrary(const wchar_t* name);

// Takes the current folder out of every later library search of this
// process, the system's own loads included. First thing in every program.
void KeepCurrentFolderOutOfLibrarySearch();
