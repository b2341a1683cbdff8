#include "app/VelquinApp.h"

#include "framework/MessageBox.h"
#include "framework/SystemLibrary.h"
#include "res/resource.h"
#include "settings/ProfileLayout.h"
#include "window/VelquinDlg.h"

#include <shlobj.h>

namespace {

// Nothing is ever found in whatever folder Velquin was started from or a file dialog last showed, nor
// beside Velquin.exe itself (the zip's copy often runs from Downloads): a program or DLL planted there must
// not run in place of the system's. The process works in the user's profile folder, as the system's own Run
// box does, and DLLs loaded by name come from the system folder alone.
void KeepPlantedFilesOut()
{
    // Windows 7 without its security update lacks this one.
    SystemLibrary kernel("kernel32.dll");
    if (auto* setDefaultDirectories = kernel.Procedure<BOOL WINAPI(DWORD)>("SetDefaultDllDirectories"))
        setDefaultDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryA("");  // takes the current folder out of the DLL search everywhere

    wchar_t profileFolder[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, profileFolder)))
        SetCurrentDirectoryW(profileFolder);
}

// The running copy's main window: a dialog captioned "Velquin" that holds the history box, shown or not.
// It may still be on its way up: a short wait.
HWND FindRunningWindow()
{
    for (int attempt = 0; attempt < 20; ++attempt, Sleep(100)) {
        for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", "Velquin")) != nullptr;) {
            if (GetDlgItem(w, IDC_HISTORY_COMBO))
                return w;
        }
    }
    return nullptr;
}

// Asks the running copy to come forward, as its hotkey would; false when it cannot be reached.
bool BringRunningCopyForward()
{
    const HWND running = FindRunningWindow();
    DWORD owner = 0;
    if (!running || !GetWindowThreadProcessId(running, &owner))
        return false;
    AllowSetForegroundWindow(owner);  // this start has the right to the foreground: it passes it on
    DWORD_PTR answered = FALSE;
    return SendMessageTimeoutA(running, RegisterWindowMessageA(kSummonMessageName), 0, 0, SMTO_ABORTIFHUNG, 5000,
                               &answered) &&
           answered;
}

}  // namespace

bool CVelquinApp::InitInstance()
{
    KeepPlantedFilesOut();

    instanceGuard_.Reset(CreateMutexA(nullptr, TRUE, kInstanceGuardName));
    if (AnotherCopyRuns(GetLastError())) {
        if (!BringRunningCopyForward())
            ShowMessageBox(nullptr, kAlreadyRunningText, "Velquin", MB_ICONERROR);
        return false;
    }

    SetRegistryKey(profile::kCompany);

    CVelquinDlg dialog;
    dialog.DoModal();
    SetMainWindow(nullptr);
    return false;
}
