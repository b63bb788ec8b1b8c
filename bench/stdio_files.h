// Real files for host benchmarks: the platform's file calls over stdio and
// POSIX, with Windows path separators turned into POSIX ones. The documents
// folder is a folder the benchmark chooses.
#pragma once

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/platform/platform.h"

namespace plx::bench {

class StdioFiles : public Files {
public:
    explicit StdioFiles(std::string documents) : documents_(std::move(documents)) {}

    FolderLookup SHGetFolderPathA(char path[260]) override {
        if (documents_.size() >= 260) return FolderLookup::Unusable;
        std::strcpy(path, documents_.c_str());
        return FolderLookup::Found;
    }
    bool CreateDirectoryA(const char* path) override { return mkdir(Posix(path).c_str(), 0755) == 0; }
    Handle CreateFileA(const char* path) override {
        return reinterpret_cast<Handle>(std::fopen(Posix(path).c_str(), "wb"));
    }
    bool WriteFile(Handle file, const void* data, std::size_t size) override {
        return std::fwrite(data, 1, size, reinterpret_cast<std::FILE*>(file)) == size;
    }
    bool CloseHandle(Handle file) override { return std::fclose(reinterpret_cast<std::FILE*>(file)) == 0; }

private:
    static std::string Posix(std::string path) {
        std::replace(path.begin(), path.end(), '\\', '/');
        return path;
    }
    std::string documents_;
};

}  // namespace plx::bench
