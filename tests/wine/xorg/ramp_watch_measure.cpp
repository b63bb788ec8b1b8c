// A measurement, not a test (tools/measure-ramp-watch runs it, about three
// minutes): the resume program with the real engine and loader, on a display
// whose ramp can really be read and set, while this program plays the other
// programs that reset the ramp or set their own. It prints what it saw.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "companions/ramp_watch.h"
#include "companions/resume_window.h"
#include "tests/wine/companion_sandbox.h"
#include "tests/wine/process_usage.h"

namespace {

using namespace companion_test;
using companions::IdentityRamp;
using companions::IsCloseTo;
using companions::Ramp;

constexpr DWORD kWaitMs = 15000;

HDC display = nullptr;

bool Set(const Ramp& ramp) { return SetDeviceGammaRamp(display, const_cast<WORD*>(ramp.data())) != FALSE; }

Ramp Get() {
    Ramp ramp{};
    GetDeviceGammaRamp(display, ramp.data());
    return ramp;
}

// A night light's: blue at half the identity.
Ramp Warm() {
    Ramp ramp = IdentityRamp();
    for (std::size_t i = 512; i < ramp.size(); ++i) ramp[i] = WORD(ramp[i] / 2);
    return ramp;
}

// Seconds until the display shows ours again; negative if it did not within kWaitMs.
double SecondsUntilOurs(const Ramp& ours) {
    const DWORD start = GetTickCount();
    for (DWORD now = start; now - start < kWaitMs; now = GetTickCount()) {
        if (IsCloseTo(Get(), ours)) return (now - start) / 1000.0;
        Sleep(20);
    }
    return -1;
}

int Measure() {
    Sandbox sandbox;
    RegistryValues settings(kSettingsKey);
    if (!sandbox.ready() || !sandbox.Copy(BinFolder() + "PLX.dll", "PLX.dll") ||
        !EndLeftoverResume(companions::kResumeWindowClass))
        return std::puts("could not prepare the companions"), 1;
    settings.SetDword("RedGamma", 180);
    settings.SetDword("GreenGamma", 200);
    settings.SetDword("BlueGamma", 260);
    settings.SetDword("RemindInterval", 0);
    settings.Remove("WatchRamp");

    // As at logon: the loader applies, then the resume program runs.
    Set(IdentityRamp());
    const auto loaded = Process(sandbox.Path("LumoraLoader.exe"), "").WaitForExit();
    const Ramp ours = Get();
    std::printf("loader at logon: exit code %ld\n", loaded ? long(*loaded) : -1L);
    if (loaded != 0u || IsCloseTo(ours, IdentityRamp())) return std::puts("the calibration was not loaded"), 1;
    const std::string resumePath = sandbox.Path("LumoraResume.exe");
    const Process resume(resumePath, " \" \"");
    const HWND window = WaitForWindow(companions::kResumeWindowClass, nullptr);
    if (!window) return std::puts("the resume program did not start"), 1;
    Sleep(3000);

    // The wizard open, its sliders near the identity, then Exit.
    const HWND wizard =
        CreateWindowExA(0, "#32770", "Lumora", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    Ramp nearIdentity = IdentityRamp();
    for (std::size_t i = 100; i < 156; ++i) nearIdentity[i] = WORD(nearIdentity[i] + 300);
    Set(nearIdentity);
    const Ramp sliders = Get();
    DWORD leftMs = 0;
    for (; leftMs < 10000 && Get() == sliders; leftMs += 100) Sleep(100);
    std::printf("the wizard's ramp near the identity: untouched for %.1f s of 10 s\n", leftMs / 1000.0);
    Set(ours);
    DestroyWindow(wizard);
    Sleep(3000);

    for (int reset = 1; reset <= 2; ++reset, Sleep(5000)) {
        Set(IdentityRamp());
        std::printf("reset to the identity %d: calibration back after %.2f s\n", reset, SecondsUntilOurs(ours));
    }

    Set(Warm());
    const Ramp warm = Get();
    DWORD untouchedMs = 0;
    for (; untouchedMs < 20000 && Get() == warm; untouchedMs += 100) Sleep(100);
    std::printf("another program's ramp: untouched for %.1f s of 20 s\n", untouchedMs / 1000.0);
    Set(IdentityRamp());
    std::printf("that program resets to the identity: calibration back after %.2f s\n", SecondsUntilOurs(ours));

    const double idleStart = soak::CpuSeconds(resumePath);
    Sleep(60000);
    std::printf("a minute of watching: %.2f s of processor time\n", soak::CpuSeconds(resumePath) - idleStart);

    // Each second the identity; a second in which ours shows again holds a restore.
    const double fightStart = soak::CpuSeconds(resumePath);
    int restores = 0;
    for (int second = 0; second < 60; ++second) {
        Set(IdentityRamp());
        bool restored = false;
        for (const DWORD start = GetTickCount(); GetTickCount() - start < 1000; Sleep(20))
            restored = restored || IsCloseTo(Get(), ours);
        restores += restored;
    }
    std::printf("resets every second for a minute: %d restores, %.2f s of processor time\n", restores,
                soak::CpuSeconds(resumePath) - fightStart);

    DWORD_PTR result;
    SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, kPatienceMs, &result);
    resume.WaitForExit();
    return 0;
}

}  // namespace

int main() {
    if (const char* why = std::getenv("LUMORA_XORG_UNAVAILABLE")) {
        std::printf("no Xorg server with the dummy driver: %s\n", why);
        return 77;
    }
    display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    const int status = Measure();
    // The ramp outlives the process: leave the display as a fresh server has it.
    Set(IdentityRamp());
    DeleteDC(display);
    return status;
}
