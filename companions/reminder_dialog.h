// The reminder to calibrate again: a caption-less picture dialog in the
// wizard's look, offering to start Lumora.exe now or later. "Later" (or
// Escape) only closes it; the next logon asks again. Modeless, so that the
// resume window goes on serving its broadcasts while it is open.
#pragma once

#include <windows.h>

#include "app/ui/scaling/scaled_picture.h"

namespace companions {

constexpr char kReminderClass[] = "LumoraReminder";

class ReminderDialog {
public:
    ReminderDialog() = default;
    ~ReminderDialog();
    ReminderDialog(const ReminderDialog&) = delete;
    ReminderDialog& operator=(const ReminderDialog&) = delete;

    bool Show(HINSTANCE instance);
    // Gives the open reminder its keyboard handling; true if it took the message.
    bool TakesMessage(MSG& message);

private:
    // A picture of the program's and the same at the reminder's scaling.
    struct Picture {
        HBITMAP bitmap = nullptr;
        ScaledPicture shown;
    };
    struct Images {
        Picture up, down, focus;
    };

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    LRESULT OnHitTest(LPARAM screenPoint);
    void OnCommand(int id);
    void PaintPicture(HDC dc);
    static void LoadImages(HINSTANCE instance, const char* caption, Images& images);
    static void DeleteImages(Images& images);

    HWND window_ = nullptr;
    Picture picture_;
    Images now_, later_;
    RECT dragStrip_{};
};

}  // namespace companions
