// Loads PLX.dll as the program does and prints what code 4 answers, with the
// Windows version this process was given:
//   result whitePoint platformId majorVersion
// Each run is a fresh start-up of the engine, seeing whatever registry and
// version a test arranged before starting it.
#include <windows.h>

#include <cstdio>

#include "engine/request.h"

int main() {
    HMODULE library = LoadLibraryA("PLX.dll");
    if (library == nullptr) return 1;
    auto plx = reinterpret_cast<PLXEntry>(reinterpret_cast<void*>(GetProcAddress(library, "PLX")));
    if (plx == nullptr) return 2;

    PLXRequest request{};
    request.function = MonitorWhiteTemperatureFunction;
    const int result = plx(&request);

    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return 3;
    std::printf("%d %u %lu %lu\n", result, request.whitePoint, version.dwPlatformId, version.dwMajorVersion);
    return 0;
}
