// What a running program holds, read from outside, for the soak tests.
//
// Wine answers 0 when a program asks for another's memory or handle count,
// and its GetGuiResources is a stub that answers 0. So the resident memory is
// read on the Linux side, through Wine's drive Z:, from the /proc entry of the
// Wine process whose first argument is the program's path; handles are
// counted by duplicating every handle value in use. GDI and USER objects,
// which under Wine live in the program's memory, are counted where the
// system counts them.
#pragma once

#include <windows.h>

#include <fstream>
#include <optional>
#include <ostream>
#include <string>

namespace soak {

struct Usage {
    long residentKb = -1;  // -1: the program's /proc entry was not found
    int handles = 0;
    std::optional<DWORD> guiObjects;  // GDI and USER; none where the system answers 0
};

inline std::ostream& operator<<(std::ostream& out, const Usage& usage) {
    out << usage.residentKb << " kB resident, " << usage.handles << " handles, ";
    if (!usage.guiObjects) return out << "GDI/USER objects not counted here (GetGuiResources answers 0)";
    return out << *usage.guiObjects << " GDI/USER objects";
}

inline long ResidentKb(const std::string& programPath) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return -1;
    long kb = -1;
    do {
        const std::string entry = std::string("Z:\\proc\\") + found.cFileName + "\\";
        std::string first;
        std::getline(std::ifstream(entry + "cmdline", std::ios::binary), first, '\0');
        if (lstrcmpiA(first.c_str(), programPath.c_str()) != 0) continue;
        std::ifstream status(entry + "status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind("VmRSS:", 0) == 0) kb = std::stol(line.substr(6));
    } while (kb < 0 && FindNextFileA(search, &found));
    FindClose(search);
    return kb;
}

inline Usage UsageOf(DWORD processId, const std::string& programPath) {
    Usage usage;
    usage.residentKb = ResidentKb(programPath);
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_DUP_HANDLE, FALSE, processId);
    if (!process) return usage;
    // Handle values are multiples of 4, handed out from the lowest free one.
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        HANDLE copy = nullptr;
        if (!DuplicateHandle(process, reinterpret_cast<HANDLE>(value), GetCurrentProcess(), &copy, 0, FALSE,
                             DUPLICATE_SAME_ACCESS))
            continue;
        CloseHandle(copy);
        ++usage.handles;
    }
    if (const DWORD objects = GetGuiResources(process, GR_GDIOBJECTS) + GetGuiResources(process, GR_USEROBJECTS))
        usage.guiObjects = objects;
    CloseHandle(process);
    return usage;
}

}  // namespace soak
