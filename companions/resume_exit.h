// Exit codes of LumoraResume.exe.
#pragma once

namespace companions {

enum ResumeExitCode : int {
    kResumeEnded = 0,           // the session ended (or the window was closed)
    kResumeAlreadyRunning = 1,  // another instance serves this session
    kResumeNoWindow = 2,        // the hidden window could not be created
};

constexpr char kResumeMutex[] = "Local\\LumoraResume";

}  // namespace companions
