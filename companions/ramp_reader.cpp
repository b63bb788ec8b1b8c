#include "companions/ramp_reader.h"

namespace companions {

bool RampReader::Read(Ramp& ramp) {
    if (!context_ && !Open()) return false;
    if (display_.GetDeviceGammaRamp(context_->dc, ramp.data())) return true;
    return plx::FallBackToDesktop(display_, *context_) && display_.GetDeviceGammaRamp(context_->dc, ramp.data());
}

void RampReader::Reopen() {
    if (context_ && context_->dc != plx::kNoHandle) display_.DeleteDC(context_->dc);
    context_.reset();
}

// Without memory for the adapter's name there is nothing to read this time.
bool RampReader::Open() {
    try {
        context_ = plx::OpenDisplayContext(display_, plx::findPrimaryAdapter(system_));
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace companions
