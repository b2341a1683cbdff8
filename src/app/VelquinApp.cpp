#include "app/VelquinApp.h"

#include "framework/MessageBox.h"
#include "launcher/VelquinDlg.h"
#include "settings/ProfileLayout.h"

bool CVelquinApp::InitInstance()
{
    instanceGuard_.Reset(CreateMutexA(nullptr, TRUE, kInstanceGuardName));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        ShowMessageBox(nullptr, kAlreadyRunningText, "Velquin", MB_ICONERROR);
        return false;
    }

    SetRegistryKey(profile::kCompany);

    CVelquinDlg dialog;
    dialog.DoModal();
    SetMainWindow(nullptr);
    return false;
}
