// PLX.dll: the process-wide engine over the real platform, started by the
// first call of its single export.
#include <windows.h>

#include "engine/dispatch.h"
#include "engine/platform/win32_platform.h"
#include "engine/startup.h"

namespace {

plx::Win32Platform os;
plx::Engine engine{plx::EngineState{}, os.platform};
plx::FirstCallStartUp startUp;

}  // namespace

// The C++ runtime linked into this library allocates its emergency exception
// pool (18 KB on i686, 73 KB on x86_64) from the process heap when the
// library is attached, and never frees it; a host that frees the library
// would lose it at every unload. It is given back here.
namespace __gnu_cxx {
void __freeres() noexcept;  // NOLINT(bugprone-reserved-identifier): the runtime's own name
}  // namespace __gnu_cxx

extern "C" __declspec(dllexport) int __cdecl PLX(PLXRequest* request) {
    startUp.Ensure(engine);
    return plx::Dispatch(engine, request);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    // Only when freed: at process exit the whole heap goes anyway.
    if (reason == DLL_PROCESS_DETACH && !reserved) __gnu_cxx::__freeres();
    return TRUE;
}
