// Sending the stored gammas to the engine: the loader's whole work, at logon
// and for the resume program after every wake, unlock and display change.
//
// The outcome is the loader's exit code:
//    0       applied: the engine set the stored gammas (it answered 1)
//    1       nothing stored: the settings key or one of the three gammas is missing
//    2       invalid values: a gamma is not a 4-byte REG_DWORD, or lies outside 140..310
//    3       engine missing: no PLX.dll next to the program, or it lacks the export PLX
//    10 + r  the engine answered r instead (10: the display refused the ramp,
//            16: the display's gamma ramp cannot be set on this system)
// Nothing is sent to the engine in cases 1 to 3.
#pragma once

namespace companions {

enum ApplyOutcome : int {
    kApplied = 0,
    kNothingStored = 1,
    kInvalidValues = 2,
    kEngineMissing = 3,
    kEngineResultBase = 10,
};

int ApplyStoredGammas();

}  // namespace companions
