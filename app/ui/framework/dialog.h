#pragma once

#include "app/ui/framework/wnd.h"

// A dialog from a template in the program's resources, modal or modeless.
// The dialog procedure is only the creation hook: from WM_INITDIALOG on, the
// dialog's messages pass through CWnd's handlers in front of the dialog
// manager, which is the dialog's default handling.
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

protected:
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

    UINT templateId_;
    CWnd* parent_;
    HWND windowBehind_ = nullptr;  // disabled by DoModalOver until the dialog ends
};
