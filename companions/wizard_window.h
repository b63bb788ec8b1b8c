// Whether the wizard is open. It sets the ramp at every slider movement, often
// within two levels of the identity, so the watch must not read that as a
// reset; and what it leaves when it closes is the user's own calibration.
#pragma once

namespace companions {

// A dialog titled "Lumora" of another process: the wizard's frame, or one of
// its small dialogs (the resume program's own reminder bears the title too).
bool IsWizardOpen();

}  // namespace companions
