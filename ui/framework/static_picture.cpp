#include "ui/framework/static_picture.h"

StaticPicture::StaticPicture(HWND control)
    : control_(control), original_(reinterpret_cast<HBITMAP>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0))) {}

void StaticPicture::Show(HBITMAP bitmap) const {
    if (control_ && bitmap) SendMessageA(control_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

std::vector<HWND> PictureControls(HWND dialog) {
    std::vector<HWND> pictures;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[8] = {};
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, "Static") == 0 && (GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP)
            pictures.push_back(child);
    }
    return pictures;
}
