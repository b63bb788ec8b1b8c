#include "app/ui/framework/bitmap.h"

#include "app/ui/framework/win_app.h"

CBitmap::~CBitmap() {
    if (bitmap_) DeleteObject(bitmap_);
}

BOOL CBitmap::LoadBitmap(const char* name) {
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = ::LoadBitmapA(AfxGetResourceHandle(), name);
    return bitmap_ != nullptr;
}

BOOL CBitmap::GetBitmap(BITMAP* info) const {
    return bitmap_ && GetObjectA(bitmap_, sizeof *info, info) == sizeof *info;
}

void CopyBitmap(HDC target, const RECT& area, HBITMAP bitmap) {
    HDC memory = CreateCompatibleDC(target);
    if (!memory) return;
    if (HGDIOBJ previous = SelectObject(memory, bitmap)) {
        BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
    }
    DeleteDC(memory);
}

namespace {

SIZE SizeOf(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || GetObjectA(bitmap, sizeof info, &info) != sizeof info) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

// HALFTONE averages the source pixels under each target pixel; it needs the
// brush origin set after the mode.
void Resample(HDC target, POINT at, SIZE size, HBITMAP bitmap) {
    const SIZE source = SizeOf(bitmap);
    HDC memory = CreateCompatibleDC(target);
    if (!memory) return;
    if (HGDIOBJ previous = SelectObject(memory, bitmap)) {
        const int mode = SetStretchBltMode(target, HALFTONE);
        SetBrushOrgEx(target, 0, 0, nullptr);
        StretchBlt(target, at.x, at.y, size.cx, size.cy, memory, 0, 0, source.cx, source.cy, SRCCOPY);
        if (mode) SetStretchBltMode(target, mode);
        SelectObject(memory, previous);
    }
    DeleteDC(memory);
}

}  // namespace

void DrawBitmap(HDC target, const RECT& area, HBITMAP bitmap, const DisplayScaling& scaling) {
    if (scaling.Unscaled()) {
        CopyBitmap(target, area, bitmap);
        return;
    }
    const SIZE size = SizeOf(bitmap);
    Resample(target, {area.left, area.top}, {scaling.Scale(size.cx), scaling.Scale(size.cy)}, bitmap);
}

HBITMAP ScaledCopy(HBITMAP bitmap, const DisplayScaling& scaling) {
    const SIZE size = SizeOf(bitmap);
    if (!size.cx) return nullptr;
    const SIZE scaled{scaling.Scale(size.cx), scaling.Scale(size.cy)};
    HDC screen = GetDC(nullptr);
    if (!screen) return nullptr;
    HBITMAP copy = CreateCompatibleBitmap(screen, scaled.cx, scaled.cy);
    HDC memory = copy ? CreateCompatibleDC(screen) : nullptr;
    if (memory) {
        if (HGDIOBJ previous = SelectObject(memory, copy)) {
            Resample(memory, {0, 0}, scaled, bitmap);
            SelectObject(memory, previous);
        }
        DeleteDC(memory);
    }
    ReleaseDC(nullptr, screen);
    return copy;
}
