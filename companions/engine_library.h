// PLX.dll bound for one use: the loader's one application of the gammas,
// with the engine from the loader's own folder.
#pragma once

#include <windows.h>

#include "engine/request.h"

namespace companions {

class EngineLibrary {
public:
    EngineLibrary();
    ~EngineLibrary();
    EngineLibrary(const EngineLibrary&) = delete;
    EngineLibrary& operator=(const EngineLibrary&) = delete;

    // The export, or null when the library or its export is missing.
    PLXEntry entry() const { return entry_; }

private:
    HMODULE library_ = nullptr;
    PLXEntry entry_ = nullptr;
};

}  // namespace companions
