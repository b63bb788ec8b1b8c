// A PLX.dll that loads but has no export "PLX": the wizard must do without
// an engine.
#include <windows.h>

extern "C" __declspec(dllexport) int __cdecl NotTheEngine() { return 0; }
