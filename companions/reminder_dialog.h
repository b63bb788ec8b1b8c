// The reminder to calibrate again: the wizard's picture dialog, offering to
// start Lumora.exe now or later. "Later" (or Escape) only closes it; the next
// logon asks again. Modeless, so that the resume window goes on serving its
// broadcasts while it is open.
#pragma once

#include "ui/framework/bitmap.h"
#include "ui/image_dialog.h"

namespace companions {

constexpr char kReminderClass[] = "LumoraReminder";

// The reminder's picture, loaded before the dialog that paints it is made.
struct ReminderPicture {
    ReminderPicture();
    CBitmap picture;
};

class ReminderDialog : private ReminderPicture, public CImageDialog {
public:
    ReminderDialog();
    ~ReminderDialog() override;

    bool Show(HINSTANCE instance);
    // Gives the open reminder its keyboard handling; true if it took the message.
    bool TakesMessage(MSG& message);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
};

}  // namespace companions
