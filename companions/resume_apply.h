// How the resume program puts the stored gammas back: each apply is a run of
// LumoraLoader.exe from the program's own folder, never the engine in this
// process. A process that lives for the whole session cannot load and free
// PLX.dll at every wake without losing memory and handles to the runtime the
// engine carries, and an engine kept loaded would have probed the display
// only once; a run of the loader starts the engine on the display as it is
// now and gives everything back when it ends.
//
// One run at a time, never waited for: however many requests come while a
// loader runs, one more run follows it, and reads the settings and the
// display as they are by then. A flapping display cannot start a storm of
// processes, and the message loop never blocks.
#pragma once

#include <windows.h>

#include <optional>

namespace companions {

class LoaderApplies {
public:
    // The timer that watches a running loader, on the window given to Request.
    static constexpr UINT_PTR kTimer = 2;

    LoaderApplies() = default;
    ~LoaderApplies();
    LoaderApplies(const LoaderApplies&) = delete;
    LoaderApplies& operator=(const LoaderApplies&) = delete;

    // False when no loader could be started.
    bool Request(HWND window);
    // The exit code of a run that ended (WAIT_TIMEOUT for one that hung).
    std::optional<DWORD> OnTimer(HWND window);
    bool Running() const { return running_ != nullptr; }

private:
    bool Start(HWND window);
    DWORD Finish(HWND window);
    DWORD PatienceLeft() const;

    HANDLE running_ = nullptr;
    DWORD startedAt_ = 0;
    bool pending_ = false;
};

}  // namespace companions
