#pragma once

#include <vector>

#include "ui/framework/bitmap_button.h"
#include "ui/framework/wnd.h"
#include "ui/scaling/dialog_layout.h"

// A dialog from a template in the program's resources, modal or modeless.
// The dialog procedure is only the creation hook: from WM_INITDIALOG on, the
// dialog's messages pass through CWnd's handlers in front of the dialog
// manager, which is the dialog's default handling.
//
// Every dialog scales here, by its layout (dialog_layout.h): a top-level one
// at its own monitor's dpi when it is made and whenever it moves to a
// monitor of another dpi, a child dialog at its parent's.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Runs the dialog modally and returns the EndDialog result, or -1 when
    // the dialog could not be created.
    INT_PTR DoModal();
    // The same for a dialog that has no owner, while the top-level window of
    // `window` takes no input. That window is enabled again as the dialog
    // ends, before it hides, so that the system gives it the activation back
    // rather than to another program's window.
    INT_PTR DoModalOver(HWND window);

    // Creates the dialog modeless (a child dialog when the template says so).
    BOOL Create(UINT templateId, CWnd* parent);

    void EndDialog(int result);

    // The commands IDOK and IDCANCEL (Escape, closing the window).
    virtual void OnOK();
    virtual void OnCancel();

    // Lays the dialog out at `scaling`: its window, its controls and their
    // font, its picture buttons' pictures, then whatever else it draws
    // (OnScaled).
    void ScaleTo(const DisplayScaling& scaling);
    const DisplayScaling& Scaling() const { return scaling_; }

protected:
    // A top-level dialog lays itself out at its monitor's dpi, once its
    // picture buttons are loaded.
    void ScaleToOwnDpi();
    // Loads picture button `id` from its caption (AutoLoad): the picture
    // gives the button its size at 96 dpi.
    void LoadPictureButton(CBitmapButton& button, UINT id);
    virtual void OnScaled(const DisplayScaling&) {}

    // Moved to a monitor of another dpi: laid out at it, in the rectangle the
    // system suggests.
    LRESULT OnDpiChanged(UINT dpi, const RECT& suggested) override;
    BOOL OnGetDpiScaledSize(UINT dpi, SIZE& size) override;

    // Binds the controls (DoDataExchange). TRUE lets the dialog manager give
    // the focus to the first control.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange() {}

    // Binds dialog control `id` to `control`.
    void Bind(int id, CWnd& control);

    // OK and Cancel; every other command goes on to the application object.
    BOOL OnCommand(UINT id, UINT notify, HWND control) override;

private:
    static INT_PTR CALLBACK StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void EnableWindowBehind();
    // Everything inside the window at `scaling`: controls, fonts, pictures.
    void LayOutWithin(const DisplayScaling& scaling);

    UINT templateId_;
    CWnd* parent_;
    DialogLayout layout_;
    DisplayScaling scaling_;
    std::vector<CBitmapButton*> pictureButtons_;
    HWND windowBehind_ = nullptr;  // disabled by DoModalOver until the dialog ends
};
