// The arithmetic of the program's scaling. Its pictures are drawn for 96 dpi;
// at d dpi everything is laid out d/96 as large, by one rule: a rectangle's
// corner and its size are each scaled, so that equal sizes stay equal
// wherever they stand. The dialog manager places controls in dialog units of
// the current font, which does not grow exactly with the dpi, so every
// rectangle is first taken back to where it stands at 96 dpi. At 96 dpi every
// step is the identity.
#pragma once

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

// The LOGFONT height the dialog manager gives a font of `points` at `dpi`: a
// character height, so negative.
int FontHeightAt(int points, int dpi);

// Where the dialog manager placed a control with the base units `placedWith`,
// it stands at 96 dpi with `at96`: the position and the size each map back
// to whole dialog units (exactly, for base units of at least 5 across and 9
// down) and forward again, as the dialog manager maps them.
LayoutRect RectAt96(const LayoutRect& placed, DialogBaseUnits placedWith, DialogBaseUnits at96);
// A height made of the font's character height and a border of its own (a
// list item's), taken back by the difference in character height.
int HeightAt96(int placed, DialogBaseUnits placedWith, DialogBaseUnits at96);

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
