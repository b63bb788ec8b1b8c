#include "engine/white_temperature.h"

namespace plx {

int MonitorWhiteTemperature(const EngineState&, PLXRequest&) { return ResultNoHandler; }

}  // namespace plx
