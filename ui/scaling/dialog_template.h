// What a dialog template in the program's resources says of its font and of
// where it puts the dialog and its controls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ui/scaling/display_scaling.h"

struct DialogTemplate {
    // The font's face (its ASCII characters) and point size; 0 points when
    // the template sets none.
    std::string face;
    int points = 0;
    DialogUnitRect dialog{};
    std::vector<DialogUnitRect> controls;  // in template order
};

// A template as resources hold it (DIALOG or DIALOGEX), read only where its
// bytes reach; nothing when they end before the last control's rectangle.
std::optional<DialogTemplate> ReadDialogTemplate(const std::uint8_t* bytes, std::size_t size);

// The base units of the template's font at 96 dpi as a Western system gives
// them, which the pictures are drawn for: 6 x 13 for "MS Shell Dlg" 8 pt
// (Tahoma), 8 x 15 for "Microsoft Sans Serif" 10 pt, and for any other font
// those of the standard dialog font.
DialogBaseUnits DesignBaseUnits(const DialogTemplate& source);
