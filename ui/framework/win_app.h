#pragma once

#include <windows.h>

// The program's application object: one per process, reachable through
// AfxGetApp(). Dialogs pass it the commands they do not handle themselves.
class CWinApp {
public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // The program's start; the base has nothing to prepare.
    virtual BOOL InitInstance() { return TRUE; }

    // A command that no window handled; TRUE when handled here.
    virtual BOOL OnCommand(UINT, UINT, HWND) { return FALSE; }
};

CWinApp* AfxGetApp();

// The module that holds the dialog templates and bitmaps: the program itself.
HINSTANCE AfxGetResourceHandle();
