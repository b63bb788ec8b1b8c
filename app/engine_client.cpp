#include "app/engine_client.h"

#include <windows.h>

#include "app/workflow_state.h"

bool BindEngine() {
    HMODULE library = LoadLibraryA("PLX.dll");
    if (!library) return false;
    engineEntry = reinterpret_cast<PLXEntry>(reinterpret_cast<void*>(GetProcAddress(library, "PLX")));
    if (!engineEntry) FreeLibrary(library);
    return engineEntry != nullptr;
}

std::optional<int> CallEngine(PLXFunction function) {
    if (!engineEntry) return std::nullopt;
    engineRequest.function = function;
    return engineEntry(&engineRequest);
}
