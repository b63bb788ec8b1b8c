#include "app/web_addresses.h"

std::string PageBesideProgram(std::string_view programPath, std::string_view page) {
    const auto nameStart = programPath.find_last_of("\\/");
    if (nameStart == std::string_view::npos) return "";
    std::string path(programPath.substr(0, nameStart + 1));
    return path.append(page);
}

// The program's path stands as it is, backslashes and spaces included, as
// every version of the control from XP on reads it. Only '%' and '#' are
// encoded: left alone they would start an escape or end the path.
std::string ResourcePageAddress(std::string_view programPath, std::string_view name) {
    if (programPath.empty()) return "";
    std::string address = "res://";
    for (char c : programPath) {
        if (c == '%')
            address += "%25";
        else if (c == '#')
            address += "%23";
        else
            address += c;
    }
    return address.append("/").append(name);
}
