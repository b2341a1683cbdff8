// The system side of the launch: the file finder, shortcut targets, the shell's "open" and App Paths.
#pragma once

#include "launch/LauncherWindow.h"

#include <windows.h>

// ShellExecuteExW with the verb "open", or "runas" when elevated; the last error is cleared before the call
// and read right after it. An empty directory is given as none.
OpenResult ShellOpen(HWND owner, const OpenRequest& request);
// Its SEE_MASK_ flags.
ULONG ShellOpenMask(const OpenRequest& request);

// The system itself. The shell's windows are owned by the application's main window.
class ShellLaunchSystem : public LaunchSystem {
public:

    bool FindFile(const std::string& pattern, std::string* fullPath) override;
    bool IsOnNetwork(const std::string& path) override;
    std::string ExpandReferences(const std::string& text) override;
    bool SameTextIgnoringCase(const std::string& a, const std::string& b) override;
    std::string ShortcutTarget(const std::string& path) override;
    OpenResult Open(const OpenRequest& request) override;
    std::optional<std::string> ReadAppPathWorkingDirectory(const std::string& name) override;
    std::optional<std::string> ReadAppPathProgram(const std::string& name) override;
    bool WriteAppPathEntry(const AppPathEntry& entry) override;
    std::string ReadShellFolder(const std::string& valueName) override;
    std::string SystemDirectory() override;
    std::string WindowsDirectory() override;
    std::string ProgramFolder() override;
    std::optional<std::string> ReadRunHistoryValue(const std::string& name) override;
    unsigned long EndSession(unsigned flags, unsigned long reason) override;
    std::string ErrorText(unsigned long code) override;

private:
    static HWND Owner();
};
