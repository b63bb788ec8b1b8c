// What a running program holds, read from outside, for the soak tests.
//
// Wine answers 0 when a program asks for another's memory or handle count,
// and its GetGuiResources is a stub that answers 0. So the resident memory is
// read on the Linux side, through Wine's drive Z:, from the /proc entry of the
// Wine process whose first argument is the program's path; handles are
// counted by duplicating every handle value in use. GDI and USER objects are
// counted where the system counts them; under Wine the GDI objects and most
// of a window's data live in the program's own memory, which is measured.
#pragma once

#include <windows.h>

#include <fstream>
#include <ostream>
#include <string>

namespace soak {

struct Usage {
    long residentKb = -1;  // -1: the program's /proc entry was not found
    int handles = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
};

inline std::ostream& operator<<(std::ostream& out, const Usage& usage) {
    return out << usage.residentKb << " kB resident, " << usage.handles << " handles, " << usage.gdiObjects << "/"
               << usage.userObjects << " GDI/USER objects";
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
    usage.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    usage.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    CloseHandle(process);
    return usage;
}

}  // namespace soak
