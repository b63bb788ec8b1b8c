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
