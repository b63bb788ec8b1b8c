// The folder of the running program: the engine and the wizard are found next
// to the companions, never through the search path.
#pragma once

#include <windows.h>

#include <string>

namespace companions {

// The folder with its trailing backslash, or "" if the path is unavailable.
std::string OwnFolder();

// Starts `program` from that folder, in that folder, with the default error
// mode whatever this process uses; its process handle, which the caller
// closes, or nullptr when it could not be started.
HANDLE StartFromOwnFolder(const char* program);

}  // namespace companions
