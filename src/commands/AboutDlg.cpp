#include "commands/AboutDlg.h"

#include "framework/MessageBox.h"
#include "launch/ShellLaunch.h"
#include "res/resource.h"

CAboutDlg::CAboutDlg() : Dialog(IDD_ABOUTBOX)
{
    OnCommand(IDC_SYSTEM_INFO, [this] { OnSystemInfo(); });
}

void CAboutDlg::DoDataExchange(DataExchange& dx)
{
    dx.Control(IDOK, okButton_);
}

void CAboutDlg::OnSystemInfo()
{
    // Judged by the shell's answer: a left-over error code is no failure, and no failure goes unreported.
    const OpenResult result = ShellOpen(Handle(), {"MSINFO32", "", "", SW_SHOWNORMAL});
    if (JudgeOpen(result) != LaunchFailure::None)
        ShowMessageBox(Handle(), "There was an error launching Microsoft System Information", "Velquin",
                       MB_ICONERROR);
}
