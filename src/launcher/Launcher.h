// The main window's launch command, history operations and control rules, apart from the window:
// the window and the system are reached through LauncherWindow and LaunchSystem.
#pragma once

#include "history/MRUComboBox.h"
#include "launcher/CommandText.h"
#include "launcher/LaunchJob.h"
#include "launcher/LauncherWindow.h"
#include "launcher/ShellCommands.h"
#include "settings/ProfileStore.h"

#include <optional>
#include <string>

inline constexpr const char* kHistoryCleared = "Cleared";
inline constexpr const char* kHistoryNotCleared = "Not Cleared";

class Launcher {
public:
    Launcher(LauncherWindow& window, CMRUComboBox& history, LaunchSystem& system, ProfileStore& profile);

    // State the main window keeps for these operations.
    int checkBoxValue = 0;       // the "Add to my path" check state as last exchanged
    int storedAddToPath = 0;     // the copy of Settings/AddToPath that decides the check mark
    int addToPathArmed = 0;      // 1 lets a launch enter the program in App Paths
    std::string historyState;    // the copy of Settings/Config

    // OK and Enter: launch the box's text; elevated (Ctrl+Shift) with the shell's "runas".
    void OnLaunch(bool elevated = false);
    // The tray's "Open Last Item": launch the newest history entry; the box keeps its text.
    void OnOpenLastItem();
    // The answer for a launch the window ran on its worker.
    void OnLaunchFinished(const LaunchResult& result);

    void ClearHistory();
    void ClearHistoryQuietly();
    std::string ReadHistoryState();
    void WriteHistoryState();
    // Rewrites the log file from the drop-down list when the user keeps one.
    void WriteHistoryLog();

    // The rules that enable OK, Clear and "Add to my path" from the text.
    void UpdateControlStates();
    void OnEditChange();
    void OnSelectItem(const std::string& itemText);
    // The worker's answer for a network text; applied while that text is still the one in question.
    void OnExistenceChecked(const std::string& examined, bool exists);
    // Hides the window when the tray icon is there to bring it back; minimises it otherwise.
    void HideOrMinimize();
    // The global hotkey: puts the window away when it is in front, brings it forward otherwise.
    void OnHotKey(bool windowInFront);
    // Putting the window away hides it only when the user wants the tray and its icon is there to bring
    // the window back; otherwise it is minimised.
    bool PutAwayHides(int putIconInTray) const;

    // The Programs and Folders menus and the read-me.
    void RunProgram(const ProgramCommand& command);
    void OpenFolder(const FolderCommand& command);
    void DisplayReadme();
    // Log off, restart, shut down: ask when the user wants it, then ask the system to end the session.
    // Velquin stays open: other programs may still refuse, and the window ends with the session.
    void EndSession(const SessionCommand& command);
    // Adds the system Run box's commands that the history lacks.
    void ImportRunHistory();

private:
    // A launch on its way: the request, and whether its text came from the box.
    struct Launch {
        LaunchRequest request;
        bool fromBox;
    };
    void Start(const std::string& text, bool elevated, bool fromBox);
    void Finish(const LaunchResult& result);
    // The text becomes the newest entry, once: entries equal to it, letter case ignored, go first.
    void RecordInHistory(const std::string& text);

    enum class Existence { Empty, Missing, Exists };
    Existence Examine(const std::string& source, bool trim);
    void ShowAddToPath(bool exists);
    void PutAway(int putIconInTray);
    void HideStepIfAsked();
    bool ListHolds(const std::string& text) const;
    void RegisterLaunchedProgram(const std::string& fullPath);

    // A network text is launched on the window's worker; until it answers, no other launch starts.
    std::optional<Launch> launching_;

    // A network text is searched for once per change, on the window's worker; until it answers, the text
    // counts as missing.
    std::string networkText_;
    std::optional<bool> networkTextExists_;

    LauncherWindow& window_;
    CMRUComboBox& history_;
    LaunchSystem& system_;
    ProfileStore& profile_;
};
