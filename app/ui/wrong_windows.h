#pragma once

#include "app/ui/framework/dialog.h"
#include "app/ui/hover_button.h"
#include "app/ui/scaling/scaled_picture.h"
#include "app/ui/scaling/static_picture.h"

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
    void OnScaled(const DisplayScaling& scaling) override;

private:
    CHoverButton okButton_;
    CHoverButton hiddenButton_;
    RECT dragRegion_{};
    // The static shows the notice at the dialog's scaling.
    StaticPicture notice_;
    ScaledPicture scaledNotice_;
};
