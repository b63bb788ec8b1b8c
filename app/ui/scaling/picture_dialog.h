// The small picture dialogs (the exit question, the version notice and the
// resume program's reminder) share one look: a 443 x 363 picture without a
// caption, dragged by its top strip.
#pragma once

#include "app/ui/scaling/display_scaling.h"

// The strip, at 96 dpi.
inline constexpr LayoutRect kPictureDialogDragStrip = {5, 5, 433, 28};
