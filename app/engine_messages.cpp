#include "app/engine_messages.h"

#include "engine/request.h"

const char* ReadGammaWarning(int result) {
    switch (result) {
    case ResultRampRefused: return "Gamma ramp could not be retrieved.";
    case ResultBadFunction: return "Invalid function code, please contact the author of this program.";
    case ResultGammaUnsupported: return "Gamma correction is not supported by this computer.";
    case ResultNoHandler: return "Internal DLL failure, please contact the author of this program.";
    default: return nullptr;
    }
}

const char* MakeProfileMessage(int result) {
    switch (result) {
    case ResultProfileMade: return nullptr;
    case ResultBadTargetGamma:
        return "The target gamma is invalid. Valid gamma values are 140 to 310. Note: Valid gamma values are actual "
               "gamma values multiplied by 100.";
    case ResultBadWhitePoint: return "The white point is invalid. Valid white point values are 5000 to 9300.";
    case ResultBadCopyrightLength:
        return "The lenght value of the copyright string is invalid. Valid length values are 0 to 127.";
    case ResultBadDescriptionLength:
        return "The lenght value of the description string is invalid. Valid length values are 0 to 127.";
    case ResultBadProfileNameLength:
        return "The lenght value of the profile name string is invalid. Valid length values are 0 to 127.";
    case ResultProfileOpenFailed: return "ICC monitor profile open failure.";
    case ResultProfileCloseFailed: return "ICC monitor profile close failure.";
    case ResultProfileTagsFailed: return "ICC monitor profile tag(s) could no be created.";
    case ResultProfileInstallFailed: return "The new ICC monitor profile could not be installed into Windows.";
    case ResultProfileAssociateFailed:
        return "The new ICC monitor profile could not be made the default monitor profile.";
    case ResultNoHandler: return "Internal DLL failure, please contact the author of this program.";
    default: return "Unknown return code...";
    }
}
