#include "ui/scaling/display_scaling.h"

namespace {

// a * b / c (c > 0) rounded to the nearest, halves away from zero, as MulDiv does.
int MulDivRounded(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    return static_cast<int>(product >= 0 ? (product + c / 2) / c : -((-product + c / 2) / c));
}

}  // namespace

LayoutRect PixelsOf(const DialogUnitRect& units, DialogBaseUnits base) {
    return {MulDivRounded(units.x, base.x, 4), MulDivRounded(units.y, base.y, 8), MulDivRounded(units.width, base.x, 4),
            MulDivRounded(units.height, base.y, 8)};
}

int FontHeightAt(int points, int dpi) { return -MulDivRounded(points, dpi, 72); }

int HeightAt96(int placed, DialogBaseUnits placedWith, DialogBaseUnits at96) {
    return placedWith.y > 0 ? placed - placedWith.y + at96.y : placed;
}

int DisplayScaling::Scale(int pixels) const { return MulDivRounded(pixels, dpi_, kDesignDpi); }

LayoutRect DisplayScaling::Scale(const LayoutRect& rect) const {
    return {Scale(rect.x), Scale(rect.y), Scale(rect.width), Scale(rect.height)};
}
