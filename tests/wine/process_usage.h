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
#include <sstream>
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

// The /proc entry (Z:\proc\<pid>\) of the Wine process whose first
// argument is the program's path; empty when there is none.
inline std::string ProcEntry(const std::string& programPath) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return "";
    std::string match;
    do {
        const std::string entry = std::string("Z:\\proc\\") + found.cFileName + "\\";
        std::string first;
        std::getline(std::ifstream(entry + "cmdline", std::ios::binary), first, '\0');
        if (lstrcmpiA(first.c_str(), programPath.c_str()) == 0) match = entry;
    } while (match.empty() && FindNextFileA(search, &found));
    FindClose(search);
    return match;
}

inline long ResidentKb(const std::string& programPath) {
    const std::string entry = ProcEntry(programPath);
    if (entry.empty()) return -1;
    std::ifstream status(entry + "status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

// The processor time the program has taken, user and system, in seconds;
// negative when its entry was not found.
inline double CpuSeconds(const std::string& programPath) {
    const std::string entry = ProcEntry(programPath);
    std::ifstream stat(entry + "stat");
    std::string line;
    if (entry.empty() || !std::getline(stat, line)) return -1;
    // The name in parentheses may hold blanks; utime and stime are the 12th and
    // 13th fields after it, in the kernel's clock ticks of 1/100 s.
    std::istringstream fields(line.substr(line.rfind(')') + 1));
    std::string field;
    for (int skip = 0; skip < 11; ++skip) fields >> field;
    long user = 0, system = 0;
    fields >> user >> system;
    return (user + system) / 100.0;
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
