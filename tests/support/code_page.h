// Whether the system's ANSI code page can spell a text: the users of the path
// tests are chosen so that it cannot.
#pragma once

#include <windows.h>

#include <string>

namespace test_support {

inline bool SpelledByTheCodePage(const std::wstring& text) {
    BOOL usedDefault = FALSE;
    char ansi[MAX_PATH];
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, ansi, sizeof ansi, nullptr, &usedDefault);
    return !usedDefault;
}

}  // namespace test_support
