// The folder of the running program: the engine and the wizard are found next
// to the companions, never through the search path.
#pragma once

#include <string>

namespace companions {

// The folder with its trailing backslash, or "" if the path is unavailable.
std::string OwnFolder();

}  // namespace companions
