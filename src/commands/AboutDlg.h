// The About box: name, version, and a button for the system's information tool.
#pragma once

#include "framework/Dialog.h"

class CAboutDlg : public Dialog {
public:
    CAboutDlg();

private:
    void OnSystemInfo();

    Button okButton_;

protected:
    void DoDataExchange(DataExchange& dx) override;
};
