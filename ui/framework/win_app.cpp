#include "ui/framework/win_app.h"

namespace {

CWinApp* theApp = nullptr;

}  // namespace

CWinApp::CWinApp() { theApp = this; }

CWinApp::~CWinApp() {
    if (theApp == this) theApp = nullptr;
}

CWinApp* AfxGetApp() { return theApp; }

HINSTANCE AfxGetResourceHandle() { return GetModuleHandleA(nullptr); }
