// A key of the current user's registry opened for writing, closed with the
// object. Writes are best effort: a key that could not be opened takes no
// values, and a failed write is skipped.
#pragma once

#include <windows.h>

#include <string>

class RegistryKey {
public:
    // Creates the key if it is missing.
    static RegistryKey Create(const char* path);
    // Only an existing key.
    static RegistryKey Open(const char* path);

    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey();

    void SetDword(const char* name, DWORD value) const;
    // REG_SZ, stored with its terminating zero; wide, so that a path outside
    // the ANSI code page is stored as it is.
    void SetString(const wchar_t* name, const std::wstring& text) const;

private:
    explicit RegistryKey(HKEY key) : key_(key) {}

    HKEY key_;
};
