// Pictures at the screen's scaling: resampled once when the scaling changes,
// then copied as they are at every paint.
#pragma once

#include <windows.h>

#include "ui/scaling/display_scaling.h"

// 0 x 0 when the bitmap cannot be read.
SIZE SizeOf(HBITMAP bitmap);

// Copies the part of the bitmap that lies under `area` of `target`, the
// bitmap standing at the target's origin: a plain source copy.
void CopyBitmap(HDC target, const RECT& area, HBITMAP bitmap);

// A bitmap at a scaling: at 96 dpi the bitmap itself, otherwise a copy
// resampled with the halftone filter, which averages the source pixels under
// each target pixel. The source stays its owner's and must outlive this.
class ScaledPicture {
public:
    ScaledPicture() = default;
    ScaledPicture(const ScaledPicture&) = delete;
    ScaledPicture& operator=(const ScaledPicture&) = delete;
    ~ScaledPicture();

    void ScaleTo(HBITMAP source, const DisplayScaling& scaling);
    // The source itself where no copy is needed or none could be made.
    HBITMAP Get() const { return scaled_ ? scaled_ : source_; }

private:
    void Release();

    HBITMAP source_ = nullptr;
    DisplayScaling scaling_;
    HBITMAP scaled_ = nullptr;
};
