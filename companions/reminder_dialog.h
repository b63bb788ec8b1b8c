// The reminder to calibrate again: a caption-less picture dialog in the
// wizard's look, offering to start Lumora.exe now or later. "Later" (or
// Escape) only closes it; the next logon asks again. Modeless, so that the
// resume window goes on serving its broadcasts while it is open.
#pragma once

#include <windows.h>

#include "app/display_scaling.h"

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
    struct Images {
        HBITMAP up = nullptr, down = nullptr, focus = nullptr;
    };

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    LRESULT OnHitTest(LPARAM screenPoint);
    void OnCommand(int id);
    void PaintPicture(HDC dc);
    static Images LoadImages(HINSTANCE instance, const char* caption);
    static void DeleteImages(Images& images);

    HWND window_ = nullptr;
    HBITMAP picture_ = nullptr;
    Images now_, later_;
    DisplayScaling scaling_;
    RECT dragStrip_{};
};

}  // namespace companions
