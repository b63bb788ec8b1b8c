// The arithmetic of the wizard's scaling. Its pictures are drawn for 96 dpi;
// at d dpi everything is laid out d/96 as large. The dialog manager places
// controls in dialog units of the current font, which does not grow exactly
// with the dpi, so every rectangle is taken back to where it stands at 96 dpi
// and scaled from there. At 96 dpi every step is the identity.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr int kDesignDpi = 96;

struct LayoutRect {
    int x, y, width, height;
    bool operator==(const LayoutRect&) const = default;
};

// Dialog base units: pixels per 4 dialog units across and per 8 down.
struct DialogBaseUnits {
    int x, y;
    bool operator==(const DialogBaseUnits&) const = default;
};

// The base units of a dialog font, as the dialog manager derives them from
// the width of the 52 letters "a".."z", "A".."Z" and the font's height.
DialogBaseUnits BaseUnitsOf(int alphabetWidth, int fontHeight);

// The LOGFONT height the dialog manager gives a font of whole points at 96
// dpi, from the height it gave the same font at `dpi`.
int FontHeightAt96(int fontHeight, int dpi);

// Where the dialog manager placed a control with the base units `placedWith`,
// it stands at 96 dpi with `at96`: the position and the size each map back
// to whole dialog units (exactly, for base units of at least 5 across and 9
// down) and
// forward again, as the dialog manager maps them.
LayoutRect RectAt96(const LayoutRect& placed, DialogBaseUnits placedWith, DialogBaseUnits at96);

class DisplayScaling {
public:
    // A dpi that could not be read (0 or less) counts as 96.
    explicit DisplayScaling(int dpi = kDesignDpi) : dpi_(dpi > 0 ? dpi : kDesignDpi) {}

    int dpi() const { return dpi_; }
    bool Unscaled() const { return dpi_ == kDesignDpi; }

    // 96-dpi pixels at this dpi, rounded to the nearest (halves away from 0).
    int Scale(int pixels) const;
    LayoutRect Scale(const LayoutRect& rect) const;

    bool operator==(const DisplayScaling&) const = default;

private:
    int dpi_;
};

// The gamma page's test circle at 96 dpi: 82 pixels square, radius 35.
inline constexpr int kTestCircleSize = 82;
inline constexpr int kTestCircleRadius = 35;
inline constexpr std::uint8_t kTestFieldLevel = 186;  // 255 * 0.5^(1/2.2), rounded

// The test circle in one channel at `scaling`, row by row from the top:
// inside the circle, lines one device pixel high alternate full (255, the
// even rows) and black; around it the field of level 186. Never resampled,
// since a filtered line pattern loses the half light it is meant to show.
struct TestCircle {
    int size;
    std::vector<std::uint8_t> levels;  // size * size
};
TestCircle TestCircleAt(const DisplayScaling& scaling);
