#pragma once

#include <windows.h>

// One object per window. Our window procedure sits in front of the window's
// own (subclassing) and finds the object through GWLP_USERDATA; messages reach
// virtual handlers with their parameters cracked. A handler that leaves a
// message, or part of it, to the window's own procedure calls Default().
class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    HWND GetSafeHwnd() const { return hwnd_; }

    // The object whose handlers receive `window`'s messages, or nullptr.
    static CWnd* FromHandle(HWND window);

    // Puts this object's handlers in front of the window's own procedure
    // until the window is destroyed or this object is.
    bool SubclassWindow(HWND window);

    // Binding to a dialog control: a plain control wrapper only keeps the
    // handle; a control with behaviour of its own subclasses instead.
    virtual void BindTo(HWND control) { hwnd_ = control; }

    // An owner-drawn control draws its item here: its parent passes its
    // WM_DRAWITEM on to the control's object.
    virtual void DrawItem(const DRAWITEMSTRUCT& item);

    // A message box owned by this window's top-level window: the system keeps
    // that window from input while the box is up, enables it again before
    // the box hides, and so hands it the activation back.
    int MessageBox(const char* text, const char* caption, UINT type) const;

    // The position of the message being handled (GetMessagePos, coordinates
    // as signed 16-bit values) in this window's client coordinates.
    POINT CurrentMessagePoint() const;

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // The window's own handling of the message being handled.
    LRESULT Default();

    // TRUE when the command was handled; otherwise it gets its default handling.
    virtual BOOL OnCommand(UINT id, UINT notify, HWND control);
    virtual LRESULT OnNotify(int id, NMHDR& header);
    virtual void OnHScroll(UINT code, UINT pos, HWND control);
    virtual void OnLButtonDown(UINT flags, POINT point);
    virtual void OnMouseMove(UINT flags, POINT point);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(HDC dc);
    // `kind` is one of the CTLCOLOR_ values.
    virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind);
    virtual void OnDestroy();
    // Per-monitor dpi (Windows 8.1 on): the window moved to a monitor of
    // another dpi, and the system suggests its new rectangle (screen
    // coordinates). The default handling runs unless overridden.
    virtual LRESULT OnDpiChanged(UINT dpi, const RECT& suggested);
    // Windows 10: the window's size at `dpi`, asked before WM_DPICHANGED;
    // TRUE when `size` was set.
    virtual BOOL OnGetDpiScaledSize(UINT dpi, SIZE& size);
    // Runs once the window is gone and no longer linked to this object.
    virtual void PostNcDestroy() {}

private:
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Unlink();

    HWND hwnd_ = nullptr;
    WNDPROC superProc_ = nullptr;
    Message current_{};
};
