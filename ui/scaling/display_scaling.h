// The arithmetic of the program's scaling. Its pictures are drawn for 96 dpi
// and for the dialog base units its templates' fonts have there on a Western
// system; every dialog is laid out from its template with those base units,
// whatever font the system gives it. At d dpi everything is laid out d/96 as
// large, by one rule: a rectangle's corner and its size are each scaled, so
// that equal sizes stay equal wherever they stand. At 96 dpi every step is
// the identity.
#pragma once

inline constexpr int kDesignDpi = 96;

struct LayoutRect {
    int x, y, width, height;
    bool operator==(const LayoutRect&) const = default;
};

// A rectangle in dialog units: x and width in quarters of the base unit
// across, y and height in eighths of the one down.
struct DialogUnitRect {
    int x, y, width, height;
    bool operator==(const DialogUnitRect&) const = default;
};

// Dialog base units: pixels per 4 dialog units across and per 8 down.
struct DialogBaseUnits {
    int x, y;
    bool operator==(const DialogBaseUnits&) const = default;
};

// Where the dialog manager puts a rectangle of dialog units with `base`:
// corner and size each mapped on their own, rounded as MulDiv rounds.
LayoutRect PixelsOf(const DialogUnitRect& units, DialogBaseUnits base);

// The LOGFONT height the dialog manager gives a font of `points` at `dpi`: a
// character height, so negative.
int FontHeightAt(int points, int dpi);

// A height made of the font's character height and a border of its own (a
// combo box's), placed with the base units `placedWith`, at 96 dpi with
// `at96`: taken back by the difference in character height.
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
