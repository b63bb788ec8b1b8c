#include "app/lumora_app.h"

#include <ole2.h>
#include <shellapi.h>

#include <string>

#include "app/lumora_wizard.h"
#include "app/resources/resource.h"
#include "app/web_addresses.h"
#include "app/workflow_state.h"
#include "ui/system/program_files.h"

BOOL LumoraApp::InitInstance() {
    CWinApp::InitInstance();
    SetRequestStartValues(engineRequest);
    // The wizard's web pane is an ActiveX control. Without OLE the pane
    // cannot be created, and the wizard runs without it.
    const bool ole = SUCCEEDED(OleInitialize(nullptr));
    CLumoraWizard().DoModal();
    if (ole) OleUninitialize();
    return TRUE;
}

BOOL LumoraApp::OnCommand(UINT id, UINT notify, HWND) {
    if (id != ID_HELP || notify != BN_CLICKED) return FALSE;
    OnHelp();
    return TRUE;
}

// The help installed beside the program, which needs no network.
void LumoraApp::OnHelp() {
    const std::wstring page = PageBesideProgram(OwnProgramPath(), Unscrambled(kHelpPage));
    if (!page.empty()) ShellExecuteW(nullptr, L"open", page.c_str(), nullptr, nullptr, SW_SHOW);
}
