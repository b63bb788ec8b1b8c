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

void LoaderApplies::Request(HWND window) {
    if (running_)
        pending_ = true;
    else
        Start(window);
}

void LoaderApplies::OnTimer(HWND window) {
    if (running_ && WaitForSingleObject(running_, 0) == WAIT_TIMEOUT) {
        if (PatienceLeft()) return;
        TerminateProcess(running_, WAIT_TIMEOUT);
    }
    Finish(window);
    if (pending_) Start(window);
}

// A missing loader applies nothing, as a missing engine does; the next wake,
// unlock or display change tries again.
void LoaderApplies::Start(HWND window) {
    pending_ = false;
    running_ = StartFromOwnFolder("LumoraLoader.exe");
    if (!running_) return;
    startedAt_ = GetTickCount();
    // Without its timer the run could not be watched: it goes on untracked.
    if (!SetTimer(window, kTimer, kPollMs, nullptr)) Finish(window);
}

DWORD LoaderApplies::PatienceLeft() const {
    const DWORD elapsed = GetTickCount() - startedAt_;
    return elapsed < kPatienceMs ? kPatienceMs - elapsed : 0;
}

void LoaderApplies::Finish(HWND window) {
    KillTimer(window, kTimer);
    if (running_) CloseHandle(running_);
    running_ = nullptr;
}

}  // namespace companions
