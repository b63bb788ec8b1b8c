#pragma once

#include <windows.h>

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
