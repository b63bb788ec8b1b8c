#include "ui/framework/bitmap.h"

#include "ui/framework/win_app.h"

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
