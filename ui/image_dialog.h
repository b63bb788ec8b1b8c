#pragma once

#include "ui/framework/dialog.h"
#include "ui/framework/static_picture.h"
#include "ui/hover_button.h"
#include "ui/scaling/scaled_picture.h"

// A small caption-less dialog shown as one picture (443 x 363 at 96 dpi),
// with an OK and a Cancel picture button where its template has them and a
// strip along its top by which it is dragged. Enter reaches the hidden
// default button, which has no handler. The picture is either a bitmap that
// the dialog paints, or the one its template's static picture shows.
class CImageDialog : public CDialog {
public:
    // The creator keeps `bitmap` alive while the dialog is shown; without one
    // the template's static picture shows the picture.
    CImageDialog(UINT templateId, HBITMAP bitmap, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnPaint() override;
    void OnDestroy() override;
    void OnScaled(const DisplayScaling& scaling) override;

private:
    CHoverButton okButton_;
    CHoverButton cancelButton_;
    CHoverButton hiddenButton_;
    RECT dragRegion_{};
    HBITMAP bitmap_;
    StaticPicture staticPicture_;
    // The picture at the dialog's scaling.
    ScaledPicture picture_;
};
