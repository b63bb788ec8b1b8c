#pragma once

#include <windows.h>

#include "app/display_scaling.h"

// A bitmap from the program's resources, owned: deleted with the object.
class CBitmap {
public:
    CBitmap() = default;
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;
    ~CBitmap();

    // `name` is a resource name or MAKEINTRESOURCE of a number; FALSE when
    // there is no such bitmap.
    BOOL LoadBitmap(const char* name);
    BOOL LoadBitmap(UINT id) { return LoadBitmap(MAKEINTRESOURCEA(id)); }

    HBITMAP GetSafeHandle() const { return bitmap_; }
    BOOL GetBitmap(BITMAP* info) const;

private:
    HBITMAP bitmap_ = nullptr;
};

// Copies a block of `area`'s size from the bitmap's top-left corner to `area`
// of `target`, a plain source copy.
void CopyBitmap(HDC target, const RECT& area, HBITMAP bitmap);

// Draws the bitmap with its top-left corner at `area`'s: at 96 dpi a block of
// `area`'s size copied as it is (CopyBitmap), otherwise the whole bitmap
// resampled with the halftone filter to its size at `scaling`.
void DrawBitmap(HDC target, const RECT& area, HBITMAP bitmap, const DisplayScaling& scaling);

// A new bitmap: `bitmap` resampled with the halftone filter to its size at
// `scaling`, or nullptr. The caller deletes it.
HBITMAP ScaledCopy(HBITMAP bitmap, const DisplayScaling& scaling);
