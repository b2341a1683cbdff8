// The launcher's one window: the drop-down box of things to open, its buttons and its menu.
#pragma once

#include "framework/Dialog.h"

class CVelquinDlg : public Dialog {
public:
    CVelquinDlg();

protected:
    BOOL OnInitDialog() override;
};
