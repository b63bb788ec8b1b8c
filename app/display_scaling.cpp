#include "app/display_scaling.h"

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

}  // namespace

DialogBaseUnits BaseUnitsOf(int alphabetWidth, int fontHeight) { return {(alphabetWidth / 26 + 1) / 2, fontHeight}; }

int FontHeightAt96(int fontHeight, int dpi) {
    if (dpi <= 0 || dpi == kDesignDpi) return fontHeight;
    const int points = MulDivRounded(fontHeight, 72, dpi);
    return MulDivRounded(points, kDesignDpi, 72);
}

LayoutRect RectAt96(const LayoutRect& placed, DialogBaseUnits placedWith, DialogBaseUnits at96) {
    if (placedWith == at96 || placedWith.x <= 0 || placedWith.y <= 0) return placed;
    return {Remap(placed.x, placedWith.x, at96.x, 4), Remap(placed.y, placedWith.y, at96.y, 8),
            Remap(placed.width, placedWith.x, at96.x, 4), Remap(placed.height, placedWith.y, at96.y, 8)};
}

int DisplayScaling::Scale(int pixels) const { return MulDivRounded(pixels, dpi_, kDesignDpi); }

LayoutRect DisplayScaling::Scale(const LayoutRect& rect) const {
    return {Scale(rect.x), Scale(rect.y), Scale(rect.width), Scale(rect.height)};
}

TestCircle TestCircleAt(const DisplayScaling& scaling) {
    const int size = scaling.Scale(kTestCircleSize);
    const long long diameter = 2LL * scaling.Scale(kTestCircleRadius);
    TestCircle circle{size, std::vector<std::uint8_t>(static_cast<std::size_t>(size) * size, kTestFieldLevel)};
    // Pixel centres in half pixels from the image's centre, so that no
    // rounding decides which pixels lie inside.
    for (int y = 0; y < size; ++y) {
        const long long dy = 2LL * y + 1 - size;
        for (int x = 0; x < size; ++x) {
            const long long dx = 2LL * x + 1 - size;
            if (dx * dx + dy * dy <= diameter * diameter)
                circle.levels[static_cast<std::size_t>(y) * size + x] = y % 2 == 0 ? 255 : 0;
        }
    }
    return circle;
}
