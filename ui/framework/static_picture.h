// A static picture control (SS_BITMAP) showing a bitmap of ours in place of
// its own. The control deletes the bitmap it was made with when it goes, so
// it must have that one back by then: Restore it when its dialog is
// destroyed, before ours is deleted.
#pragma once

#include <windows.h>

#include <vector>

class StaticPicture {
public:
    StaticPicture() = default;
    explicit StaticPicture(HWND control);

    HBITMAP Original() const { return original_; }
    // The caller keeps `bitmap` until the next Show or Restore.
    void Show(HBITMAP bitmap) const;
    void Restore() const { Show(original_); }

private:
    HWND control_ = nullptr;
    HBITMAP original_ = nullptr;
};

// The dialog's static picture controls, in template order.
std::vector<HWND> PictureControls(HWND dialog);
