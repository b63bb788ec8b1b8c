#include "companions/resume_apply.h"

#include "companions/own_folder.h"

namespace companions {

namespace {

// How soon the end of a run is noticed, and the next one started.
constexpr UINT kPollMs = 20;
// A loader applies in well under a second; one that hangs must not stop
// every later apply.
constexpr DWORD kPatienceMs = 15000;

}  // namespace

// The installer closes the program before it replaces the files that a
// running loader holds open: the run is finished first.
LoaderApplies::~LoaderApplies() {
    if (!running_) return;
    if (WaitForSingleObject(running_, PatienceLeft()) == WAIT_TIMEOUT) TerminateProcess(running_, WAIT_TIMEOUT);
    CloseHandle(running_);
}

bool LoaderApplies::Request(HWND window) {
    if (!running_) return Start(window);
    pending_ = true;
    return true;
}

std::optional<DWORD> LoaderApplies::OnTimer(HWND window) {
    if (!running_) {
        KillTimer(window, kTimer);
        return std::nullopt;
    }
    if (WaitForSingleObject(running_, 0) == WAIT_TIMEOUT) {
        if (PatienceLeft()) return std::nullopt;
        TerminateProcess(running_, WAIT_TIMEOUT);
    }
    const DWORD exitCode = Finish(window);
    if (pending_) Start(window);
    return exitCode;
}

// A missing loader applies nothing, as a missing engine does; the next wake,
// unlock or display change tries again.
bool LoaderApplies::Start(HWND window) {
    pending_ = false;
    running_ = StartFromOwnFolder("LumoraLoader.exe");
    if (!running_) return false;
    startedAt_ = GetTickCount();
    // Without its timer the run could not be watched: it goes on untracked.
    if (!SetTimer(window, kTimer, kPollMs, nullptr)) Finish(window);
    return true;
}

DWORD LoaderApplies::PatienceLeft() const {
    const DWORD elapsed = GetTickCount() - startedAt_;
    return elapsed < kPatienceMs ? kPatienceMs - elapsed : 0;
}

// A run still going (untracked) or whose code cannot be read reports
// STILL_ACTIVE.
DWORD LoaderApplies::Finish(HWND window) {
    KillTimer(window, kTimer);
    DWORD exitCode = STILL_ACTIVE;
    if (running_ && !GetExitCodeProcess(running_, &exitCode)) exitCode = STILL_ACTIVE;
    if (running_) CloseHandle(running_);
    running_ = nullptr;
    return exitCode;
}

}  // namespace companions
