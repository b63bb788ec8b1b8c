#pragma once

#include "app/ui/framework/dialog.h"
#include "app/ui/hover_button.h"
#include "app/ui/scaling/scaled_picture.h"

// A small modal dialog painted from one bitmap, with an OK and a Cancel
// picture button and a strip by which it is dragged. Enter reaches the hidden
// default button, which has no handler.
class CImageDialog : public CDialog {
public:
    // The creator keeps `bitmap` alive while the dialog is shown.
    CImageDialog(UINT templateId, HBITMAP bitmap);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnPaint() override;
    void OnScaled(const DisplayScaling& scaling) override;

private:
    CHoverButton okButton_;
    CHoverButton cancelButton_;
    CHoverButton hiddenButton_;
    RECT dragRegion_{};
    HBITMAP bitmap_;
    ScaledPicture picture_;
};
