// The about box: the program's name, version and icon.
#pragma once

#include <cstdint>

#include "ui/dialog_base.h"

class CAboutDlg : public CDialogBase {
public:
    enum : int32_t { IDD = 100 };

    CAboutDlg();
    ~CAboutDlg() override { DestroyWindow(); }
};
