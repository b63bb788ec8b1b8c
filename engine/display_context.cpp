#include "engine/display_context.h"

#include <algorithm>

namespace plx {

std::optional<std::string> findPrimaryAdapter(System& system) {
    DisplayDevice adapter{};
    for (std::uint32_t index = 0; system.EnumDisplayDevicesA(nullptr, index, adapter); ++index) {
        if ((adapter.stateFlags & kDisplayDevicePrimary) == 0) continue;
        // The name field may be full, without a terminator.
        const char* name = adapter.deviceName;
        return std::string(name, std::find(name, name + sizeof adapter.deviceName, '\0'));
    }
    return std::nullopt;
}

DisplayContext OpenDisplayContext(Display& display, const std::optional<std::string>& primaryAdapter) {
    if (primaryAdapter) {
        if (const Handle own = display.CreateDCA(primaryAdapter->c_str()); own != kNoHandle) return {own, true};
    }
    return {display.CreateDCA(nullptr), false};
}

bool FallBackToDesktop(Display& display, DisplayContext& context) {
    if (!context.own) return false;
    display.DeleteDC(context.dc);
    context = {display.CreateDCA(nullptr), false};
    return true;
}

}  // namespace plx
