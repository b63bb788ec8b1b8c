#include "app/ui/scaling/display_scaling.h"

namespace {

// a * b / c (c > 0) rounded to the nearest, halves away from zero, as MulDiv does.
int MulDivRounded(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    return static_cast<int>(product >= 0 ? (product + c / 2) / c : -((-product + c / 2) / c));
}

// Pixels back to dialog units and forward with other base units; `units`
// is 4 across and 8 down.
int Remap(int pixels, int placedWith, int at96, int units) {
    return MulDivRounded(MulDivRounded(pixels, units, placedWith), at96, units);
}

bool Remappable(DialogBaseUnits placedWith, DialogBaseUnits at96) {
    return placedWith != at96 && placedWith.x > 0 && placedWith.y > 0;
}

}  // namespace

DialogBaseUnits BaseUnitsOf(int alphabetWidth, int fontHeight) { return {(alphabetWidth / 26 + 1) / 2, fontHeight}; }

int FontHeightAt(int points, int dpi) { return -MulDivRounded(points, dpi, 72); }

LayoutRect RectAt96(const LayoutRect& placed, DialogBaseUnits placedWith, DialogBaseUnits at96) {
    if (!Remappable(placedWith, at96)) return placed;
    return {Remap(placed.x, placedWith.x, at96.x, 4), Remap(placed.y, placedWith.y, at96.y, 8),
            Remap(placed.width, placedWith.x, at96.x, 4), Remap(placed.height, placedWith.y, at96.y, 8)};
}

int HeightAt96(int placed, DialogBaseUnits placedWith, DialogBaseUnits at96) {
    return Remappable(placedWith, at96) ? placed - placedWith.y + at96.y : placed;
}

int DisplayScaling::Scale(int pixels) const { return MulDivRounded(pixels, dpi_, kDesignDpi); }

LayoutRect DisplayScaling::Scale(const LayoutRect& rect) const {
    return {Scale(rect.x), Scale(rect.y), Scale(rect.width), Scale(rect.height)};
}
