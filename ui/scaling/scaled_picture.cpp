#include "ui/scaling/scaled_picture.h"

namespace {

// HALFTONE needs the brush origin set after the mode.
HBITMAP Resampled(HBITMAP source, SIZE from, SIZE to) {
    HDC screen = GetDC(nullptr);
    if (!screen) return nullptr;
    HBITMAP copy = CreateCompatibleBitmap(screen, to.cx, to.cy);
    HDC target = copy ? CreateCompatibleDC(screen) : nullptr;
    HDC memory = target ? CreateCompatibleDC(screen) : nullptr;
    bool drawn = false;
    if (memory) {
        HGDIOBJ previousTarget = SelectObject(target, copy);
        HGDIOBJ previousSource = SelectObject(memory, source);
        if (previousTarget && previousSource) {
            SetStretchBltMode(target, HALFTONE);
            SetBrushOrgEx(target, 0, 0, nullptr);
            drawn = StretchBlt(target, 0, 0, to.cx, to.cy, memory, 0, 0, from.cx, from.cy, SRCCOPY) != FALSE;
        }
        if (previousSource) SelectObject(memory, previousSource);
        if (previousTarget) SelectObject(target, previousTarget);
    }
    if (memory) DeleteDC(memory);
    if (target) DeleteDC(target);
    ReleaseDC(nullptr, screen);
    if (!drawn && copy) {
        DeleteObject(copy);
        copy = nullptr;
    }
    return copy;
}

}  // namespace

SIZE SizeOf(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || GetObjectA(bitmap, sizeof info, &info) != sizeof info) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

void CopyBitmap(HDC target, const RECT& area, HBITMAP bitmap) {
    HDC memory = CreateCompatibleDC(target);
    if (!memory) return;
    if (HGDIOBJ previous = SelectObject(memory, bitmap)) {
        BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, memory, area.left, area.top,
               SRCCOPY);
        SelectObject(memory, previous);
    }
    DeleteDC(memory);
}

ScaledPicture::~ScaledPicture() { Release(); }

void ScaledPicture::ScaleTo(HBITMAP source, const DisplayScaling& scaling) {
    if (source == source_ && scaling == scaling_ && (scaled_ || scaling.Unscaled())) return;
    Release();
    source_ = source;
    scaling_ = scaling;
    const SIZE size = SizeOf(source);
    if (!scaling.Unscaled() && size.cx > 0 && size.cy > 0)
        scaled_ = Resampled(source, size, {scaling.Scale(size.cx), scaling.Scale(size.cy)});
}

void ScaledPicture::Release() {
    if (scaled_) DeleteObject(scaled_);
    scaled_ = nullptr;
}
