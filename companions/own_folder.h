// Programs started from the running program's own folder: the companions and
// the wizard are found next to each other, never through the search path.
#pragma once

#include <windows.h>

namespace companions {

// Whether the started program may show the busy cursor while it starts.
enum class StartFeedback { Off, Shown };

// Starts `program` (a file name in ASCII) from that folder, in that folder,
// with the default error mode whatever this process uses; its process
// handle, which the caller closes, or nullptr when it could not be started.
// A program that works unseen starts without feedback: a busy cursor at every
// wake and unlock would be the only trace it leaves.
HANDLE StartFromOwnFolder(const char* program, StartFeedback feedback = StartFeedback::Off);

}  // namespace companions
