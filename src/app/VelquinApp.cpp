#include "app/VelquinApp.h"

#include "framework/MessageBox.h"
#include "framework/SystemLibrary.h"
#include "launcher/VelquinDlg.h"
#include "settings/ProfileLayout.h"

#include <shlobj.h>

namespace {

// Nothing is ever found in whatever folder Velquin was started from or a file dialog last showed: a
// program or DLL planted there must not run in place of the system's. The process works in the user's
// profile folder, as the system's own Run box does, and its DLLs come from the system's folders.
void KeepPlantedFilesOut()
{
    // Windows 7 without its security update lacks this one.
    SystemLibrary kernel("kernel32.dll");
    if (auto* setDefaultDirectories = kernel.Procedure<BOOL WINAPI(DWORD)>("SetDefaultDllDirectories"))
        setDefaultDirectories(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    SetDllDirectoryA("");  // takes the current folder out of the DLL search everywhere

    char profileFolder[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, profileFolder)))
        SetCurrentDirectoryA(profileFolder);
}

}  // namespace

bool CVelquinApp::InitInstance()
{
    KeepPlantedFilesOut();

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
