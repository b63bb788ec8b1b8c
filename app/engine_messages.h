// The program's words for the engine's result codes. The engine itself shows
// nothing; the pages show these in warning boxes over the wizard.
#pragma once

// Caption of the gamma page's warnings, and of the save page's messages.
inline constexpr char kGammaPageCaption[] = "Tintsprite";
inline constexpr char kSavePageCaption[] = "Lumora";

// Shown by the gamma page when PLX.dll or its export cannot be found.
inline constexpr char kEngineMissingWarning[] =
    "The Lumora engine (PLX.dll) could not be loaded. Gamma cannot be adjusted; the rest of the wizard still works.";

// The warning for the result of reading the gammas, or nullptr for a result
// that is not reported (success among them).
const char* ReadGammaWarning(int result);

// The message for the result of making the profile, or nullptr on success.
const char* MakeProfileMessage(int result);
