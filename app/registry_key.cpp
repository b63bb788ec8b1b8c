#include "app/registry_key.h"

RegistryKey RegistryKey::Create(const char* path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        key = nullptr;
    return RegistryKey(key);
}

RegistryKey RegistryKey::Open(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_WRITE, &key) != ERROR_SUCCESS) key = nullptr;
    return RegistryKey(key);
}

RegistryKey::~RegistryKey() {
    if (key_) RegCloseKey(key_);
}

void RegistryKey::SetDword(const char* name, DWORD value) const {
    if (key_) RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

void RegistryKey::SetString(const wchar_t* name, const std::wstring& text) const {
    const DWORD bytes = DWORD(text.size() + 1) * DWORD(sizeof(wchar_t));
    if (key_) RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes);
}
