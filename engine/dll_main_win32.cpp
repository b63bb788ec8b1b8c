// PLX.dll: the process-wide engine over the real platform, started when the
// library is attached, and its single export.
#include <windows.h>

#include "engine/dispatch.h"
#include "engine/platform/win32_platform.h"
#include "engine/startup.h"

namespace {

plx::Win32Platform os;
plx::Engine engine{plx::EngineState{}, os.platform};

}  // namespace

extern "C" __declspec(dllexport) int __cdecl PLX(PLXRequest* request) { return plx::Dispatch(engine, request); }

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) plx::StartUp(engine);
    return TRUE;
}
