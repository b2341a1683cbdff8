// What the launch and the control rules need of the main window and of the system, as interfaces,
// so that the decisions run and are tested apart from any window.
#pragma once

#include "framework/MessageStyles.h"
#include "launch/LaunchOutcome.h"
#include "paths/AppPathEntry.h"

#include <optional>
#include <string>

class LauncherWindow {
public:
    enum class Control { Ok, Clear, AddToPath, ClearHistory };

    virtual ~LauncherWindow() = default;

    // The history box's edit field.
    virtual std::string EditText() const = 0;
    virtual void SetEditText(const std::string& text) = 0;
    // Focus to the box, and the edit field's selection from start to end, in UTF-16 units of its text.
    virtual void FocusBox() = 0;
    virtual void SelectInBox(int start, int end) = 0;

    virtual void Enable(Control control, bool enable) = 0;
    virtual bool IsAddToPathChecked() const = 0;
    virtual void SetAddToPathCheck(bool checked) = 0;

    virtual void ShowAs(ui::Show how) = 0;
    // Shown, restored and in front, with the box focused and its text selected.
    virtual void Summon() = 0;
    // True while the notification-area icon is really there: the only way back to a hidden window.
    virtual bool TrayIconShown() const = 0;

    // Starts finding a network text away from the window's thread; the answer comes back through
    // Launcher::OnExistenceChecked.
    virtual void CheckExistenceInBackground(const std::string& examined) = 0;
    // Runs a launch on a worker of its own (PerformLaunch), so that one waiting on a share holds up no other;
    // the answer comes back through Launcher::OnLaunchFinished with the same id.
    virtual void LaunchInBackground(unsigned id, const LaunchRequest& request) = 0;
    // The wait cursor while launches run in the background; the window still paints and moves.
    virtual void ShowBusy(bool busy) = 0;

    // A modal message box owned by the window; the button the user chose.
    virtual int ShowMessage(const std::string& text, const std::string& caption, unsigned style) = 0;
};

struct OpenRequest {
    std::string program;
    std::string parameters;
    std::string directory;
    int showCommand = 1;
    bool elevated = false;  // the shell's "runas" rather than "open"
    bool onWorker = false;  // the shell finishes its work before it returns (SEE_MASK_NOASYNC)
};

class LaunchSystem {
public:
    virtual ~LaunchSystem() = default;

    virtual bool FindFile(const std::string& pattern, std::string* fullPath) = 0;
    // The text with its %NAME% references to environment variables filled in, as the system's Run box does;
    // a reference to no variable stays as it is.
    virtual std::string ExpandReferences(const std::string& text) = 0;
    // Whether finding the path may wait on the network: a UNC path, or one on a drive the system reports
    // as remote.
    virtual bool IsOnNetwork(const std::string& path) = 0;
    // Whether two texts differ at most in letter case, by the system's own rule (SameTextRule): Ä and ä are
    // the same text, as they are the same file name.
    virtual bool SameTextIgnoringCase(const std::string& a, const std::string& b) = 0;
    // The path a shortcut file points to, read as stored (never searched for or updated); empty when the file
    // cannot be read or points to no file or folder.
    virtual std::string ShortcutTarget(const std::string& path) = 0;
    // The shell's "open" (or "runas"); the last error is cleared before the call and read right after it.
    virtual OpenResult Open(const OpenRequest& request) = 0;

    // The App Paths table: an entry's folder, and its program with references filled in.
    virtual std::optional<std::string> ReadAppPathWorkingDirectory(const std::string& name) = 0;
    virtual std::optional<std::string> ReadAppPathProgram(const std::string& name) = 0;
    // False when neither the machine's table nor the user's own took the entry.
    virtual bool WriteAppPathEntry(const AppPathEntry& entry) = 0;

    // Folders: a value of the user's Shell Folders (empty when missing), the system's and Windows' folders,
    // and the folder of the running program.
    virtual std::string ReadShellFolder(const std::string& valueName) = 0;
    virtual std::string SystemDirectory() = 0;
    virtual std::string WindowsDirectory() = 0;
    virtual std::string ProgramFolder() = 0;

    // A value of the system's Run history (RunMRU); nothing when it is missing or does not fit 260 bytes.
    virtual std::optional<std::string> ReadRunHistoryValue(const std::string& name) = 0;

    // Asks the system to end the logon or the machine's run (ExitWindowsEx flags and reason), with the
    // shutdown privilege enabled first: 0, or the system's error code.
    virtual unsigned long EndSession(unsigned flags, unsigned long reason) = 0;
    // The system's own text for an error code.
    virtual std::string ErrorText(unsigned long code) = 0;
};
