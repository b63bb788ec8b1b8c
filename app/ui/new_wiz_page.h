#pragma once

#include "ui/framework/bitmap.h"
#include "ui/framework/dialog.h"
#include "ui/scaling/scaled_picture.h"

class CNewWizDialog;

// A page of the wizard: a child dialog over the frame's picture. The page
// paints no background of its own, so the picture of the frame shows through
// and only the page's controls draw over it; the picture's title strip drags
// the whole wizard.
//
// The frame calls the page operations below; each default lets the frame go
// on as if the page were not there.
class CNewWizPage : public CDialog {
public:
    // `bitmapId` is the page's full-window picture, which the frame paints
    // while the page is active.
    CNewWizPage(UINT templateId, UINT bitmapId, CWnd* parent = nullptr);

    // Once, right after the frame created the page window; FALSE makes that
    // activation fail (the window stays).
    virtual BOOL OnPageCreated() { return TRUE; }
    // At the frame's teardown, just before the page window is destroyed.
    virtual void OnPageDestroyed() {}
    // Before the page is hidden, before a save and before teardown; FALSE
    // keeps the page where it is.
    virtual BOOL OnLeavePage() { return TRUE; }
    // After the page was placed, shown and painted.
    virtual void OnEnterPage() {}
    // On exit, asked of every created page; FALSE keeps the wizard open.
    virtual BOOL OnQueryExit() { return TRUE; }
    // Back and Next: -1 stays, 0 goes to the neighbouring page in the list,
    // any other value is the template id of the page to go to.
    virtual LRESULT OnPageBack() { return 0; }
    virtual LRESULT OnPageNext() { return 0; }
    // On save, asked of every created page; FALSE stops the save.
    virtual BOOL OnPageFinish() { return TRUE; }

    // The frame calls this on the last page when an exit goes ahead.
    void OnCancel() override {}

    // That picture at the frame's scaling, which the frame gives the page
    // before it is first shown and whenever the frame's dpi changes.
    const ScaledPicture& Background() const { return background_; }
    void ScaleBackground(const DisplayScaling& scaling);

    // Kept by the frame.
    CNewWizDialog* wizard = nullptr;  // set when the frame first creates the window
    int created = 0;                  // the page window exists
    int active = 0;                   // the shown, active page
    UINT templateId;

protected:
    BOOL OnInitDialog() override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnScaled(const DisplayScaling& scaling) override;

private:
    CBitmap backgroundBitmap_;
    ScaledPicture background_;
    RECT dragRegion_{};
};
