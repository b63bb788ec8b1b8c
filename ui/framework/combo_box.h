#pragma once

#include "ui/framework/wnd.h"

class CComboBox : public CWnd {
public:
    // In an owner-drawn list without stored strings the pointer itself is
    // the item's data: the text must outlive the item.
    int AddString(const char* text) {
        return static_cast<int>(SendMessageA(GetSafeHwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
    int GetCurSel() const { return static_cast<int>(SendMessageA(GetSafeHwnd(), CB_GETCURSEL, 0, 0)); }
    // Selects without notifying the parent; -1 clears the selection.
    int SetCurSel(int index) { return static_cast<int>(SendMessageA(GetSafeHwnd(), CB_SETCURSEL, index, 0)); }
};
