#pragma once

#include "ui/image_dialog.h"

// The notice that the program needs Windows XP or later: the picture dialog
// of template 104, whose static picture shows the notice, closed by one
// picture button.
class CWrongWindows : public CImageDialog {
public:
    explicit CWrongWindows(CWnd* parent = nullptr);
};
