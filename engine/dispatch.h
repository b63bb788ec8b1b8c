// The export's logic: validation in its fixed order, then one handler per
// function code. Kept apart from the DLL so that tests can call it directly.
#pragma once

#include "engine/engine_state.h"
#include "engine/request.h"

namespace plx {

// Lets no exception out: it is the export's body.
int Dispatch(Engine& engine, PLXRequest* request);

}  // namespace plx
