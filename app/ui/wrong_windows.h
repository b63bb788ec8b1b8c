#pragma once

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

private:
    CHoverButton okButton_;
    CHoverButton hiddenButton_;
    RECT dragRegion_{};
};
