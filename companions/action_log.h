// The resume program's short record of what it did, where support starts:
// one line per action, each with its local time, in
// %LOCALAPPDATA%\Lumora\LumoraResume.log. When a line would take the file past
// half of kLimitBytes, the file becomes LumoraResume.old (replacing the one
// before), so the two together stay under the limit. Paths are wide, since a
// user's folder may hold characters the ANSI code page cannot spell. A log
// that cannot be written is skipped: it never stops what it records.
#pragma once

#include <windows.h>

namespace companions {

class ActionLog {
public:
    static constexpr DWORD kLimitBytes = 64 * 1024;

    // The log in the user's local application data, its folder created.
    ActionLog();
    // The log in folder (which must exist).
    explicit ActionLog(const wchar_t* folder);

    // A line of at most a few hundred characters, printf-style.
    void Write(const char* format, ...) __attribute__((format(printf, 2, 3)));

private:
    void SetPaths(const wchar_t* folder);
    void RotateIfFull(DWORD lineBytes) const;

    wchar_t path_[MAX_PATH] = {};  // empty: no log
    wchar_t oldPath_[MAX_PATH] = {};
};

}  // namespace companions
