#pragma once

#include "app/ui/bgr_combo_box.h"
#include "app/ui/new_wiz_page.h"

// The introduction: names the companion programs after this one, offers the
// reminder interval, stores it on Save and confirms an Exit.
class CTintspriteDlg : public CNewWizPage {
public:
    CTintspriteDlg();

    BOOL OnQueryExit() override;
    BOOL OnPageFinish() override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override;
    BOOL OnCommand(UINT id, UINT notify, HWND control) override;

private:
    void ShowStoredReminder();

    CBgrComboBox reminderList;
};
