#pragma once

#include "app/display_scaling.h"
#include "app/ui/framework/dialog.h"
#include "app/ui/hover_button.h"

// The notice that the program needs Windows XP or later: a caption-less
// picture dialog (template 104) whose static picture paints it, closed by one
// picture button, dragged by its top strip.
class CWrongWindows : public CDialog {
public:
    explicit CWrongWindows(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnDestroy() override;

private:
    void ShowScaledPicture(const DisplayScaling& scaling);

    CHoverButton okButton_;
    CHoverButton hiddenButton_;
    RECT dragRegion_{};
    // The notice picture resampled for a dpi other than 96; the static
    // shows it until the dialog goes.
    HWND picture_ = nullptr;
    HBITMAP originalPicture_ = nullptr;
    HBITMAP scaledPicture_ = nullptr;
};
