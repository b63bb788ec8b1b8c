// The program's one way to the engine: the library PLX.dll, bound once by
// the gamma page, called with the program's request block.
#pragma once

#include <optional>

#include "engine/request.h"

// Loads "PLX.dll" (the program's own folder first) and keeps its export in
// engineEntry; false when the library or its export is missing, which leaves
// engineEntry null. The library stays loaded for the rest of the run.
bool BindEngine();

// Sets `function` in engineRequest and calls the engine; nothing when no
// engine is bound.
std::optional<int> CallEngine(PLXFunction function);
