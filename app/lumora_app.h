#pragma once

#include "ui/framework/win_app.h"

// The program: gives the request block its start values, runs the wizard
// modally and ends with it. It also answers the help command, which no
// window handles.
class LumoraApp : public CWinApp {
public:
    BOOL InitInstance() override;
    BOOL OnCommand(UINT id, UINT notify, HWND control) override;

private:
    void OnHelp();
};
