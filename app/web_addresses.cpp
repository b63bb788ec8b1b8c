#include "app/web_addresses.h"

namespace {

std::wstring Widened(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

}  // namespace

std::wstring PageBesideProgram(std::wstring_view programPath, std::string_view page) {
    const auto nameStart = programPath.find_last_of(L"\\/");
    if (nameStart == std::wstring_view::npos) return L"";
    return std::wstring(programPath.substr(0, nameStart + 1)) + Widened(page);
}

// The program's path stands as it is, backslashes and spaces included, as
// every version of the control from XP on reads it. Only '%' and '#' are
// encoded: left alone they would start an escape or end the path.
std::wstring ResourcePageAddress(std::wstring_view programPath, std::string_view name) {
    if (programPath.empty()) return L"";
    std::wstring address = L"res://";
    for (wchar_t c : programPath) {
        if (c == L'%')
            address += L"%25";
        else if (c == L'#')
            address += L"%23";
        else
            address += c;
    }
    return address + L"/" + Widened(name);
}
