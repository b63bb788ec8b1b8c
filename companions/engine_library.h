// PLX.dll bound for one use. The companions load the engine from their own
// folder for each application of the gammas and free it afterwards, so that a
// long-running companion never keeps the file in use (an update can replace
// it) and the engine probes the display as it is now.
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
