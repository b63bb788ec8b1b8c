// What a running program holds, read from outside, for the soak tests: its
// resident memory, its handles, its GDI and USER objects.
//
// Wine answers 0 when one program asks for another's memory or handle count,
// and GetGuiResources is a stub there. So the memory is read on the Linux
// side: the Wine process of a Windows program carries the program's path as
// its first argument, and /proc is reached through Wine's drive Z:. Handles
// are counted by duplicating every handle value in use. GDI and USER objects
// are counted where the system counts them; under Wine the GDI objects and
// most of a window's data live in the program's own memory, which is measured.
#pragma once

#include <windows.h>

#include <cctype>
#include <fstream>
#include <ostream>
#include <string>

namespace soak {

struct Usage {
    long residentKb = -1;  // VmRSS of the program's process, -1 if unread
    int handles = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
};

inline std::ostream& operator<<(std::ostream& out, const Usage& usage) {
    out << usage.residentKb << " kB resident, " << usage.handles << " handles, ";
    if (!usage.gdiObjects && !usage.userObjects) return out << "GDI/USER objects not counted by this system";
    return out << usage.gdiObjects << " GDI and " << usage.userObjects << " USER objects";
}

class ProcessUsage {
public:
    ProcessUsage(DWORD processId, const std::string& programPath)
        : process_(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_DUP_HANDLE, FALSE, processId)),
          status_(LinuxStatusOf(programPath)) {}
    ~ProcessUsage() {
        if (process_) CloseHandle(process_);
    }
    ProcessUsage(const ProcessUsage&) = delete;
    ProcessUsage& operator=(const ProcessUsage&) = delete;

    bool ready() const { return process_ && !status_.empty(); }

    Usage Now() const {
        Usage usage;
        usage.residentKb = ResidentKb();
        usage.handles = Handles();
        usage.gdiObjects = GetGuiResources(process_, GR_GDIOBJECTS);
        usage.userObjects = GetGuiResources(process_, GR_USEROBJECTS);
        return usage;
    }

private:
    static bool SamePath(const std::string& a, const std::string& b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
                return false;
        return true;
    }

    // "Z:\proc\<pid>\status" of the process whose first argument is the path.
    static std::string LinuxStatusOf(const std::string& programPath) {
        WIN32_FIND_DATAA found;
        const HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
        if (search == INVALID_HANDLE_VALUE) return "";
        std::string status;
        do {
            if (!std::isdigit(static_cast<unsigned char>(found.cFileName[0]))) continue;
            const std::string folder = std::string("Z:\\proc\\") + found.cFileName + "\\";
            std::string first;
            std::getline(std::ifstream(folder + "cmdline", std::ios::binary), first, '\0');
            if (SamePath(first, programPath)) status = folder + "status";
        } while (status.empty() && FindNextFileA(search, &found));
        FindClose(search);
        return status;
    }

    long ResidentKb() const {
        std::ifstream file(status_);
        for (std::string line; std::getline(file, line);)
            if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
        return -1;
    }

    // Handle values are multiples of 4, handed out from the lowest free one.
    int Handles() const {
        int count = 0;
        for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
            HANDLE copy = nullptr;
            if (!DuplicateHandle(process_, reinterpret_cast<HANDLE>(value), GetCurrentProcess(), &copy, 0, FALSE,
                                 DUPLICATE_SAME_ACCESS))
                continue;
            CloseHandle(copy);
            ++count;
        }
        return count;
    }

    HANDLE process_;
    std::string status_;
};

}  // namespace soak
