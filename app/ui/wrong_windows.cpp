#include "app/ui/wrong_windows.h"

#include "app/resources/resource.h"

CWrongWindows::CWrongWindows(CWnd* parent) : CImageDialog(IDD_WRONG_WINDOWS, nullptr, parent) {}
