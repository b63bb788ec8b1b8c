#include "engine/monitor_edid.h"

namespace plx {

void findMonitorEdid(Engine& engine) { engine.state.edidStatus = EdidNoKey; }

}  // namespace plx
