// The commands room: the menu commands other than the launch: Programs, Folders, the read-me, the session's end,
// clearing and importing the history, About.
//
// The menu commands other than the launch: the Programs and Folders menus, the read-me, the session's end,
// clearing the history and importing the system's Run history. The window and the system are reached through
// the launch's interfaces, so that the decisions are tested apart from any window.
#pragma once

#include "commands/ShellCommands.h"
#include "framework/ProfileStore.h"
#include "history/MRUComboBox.h"
#include "launch/LauncherWindow.h"
#include "launch/PutAway.h"
#include "res/resource.h"
#include "suggest/Learning.h"

#include <string>

class MenuCommands {
public:
    // Clearing the history clears the learning too, when there is one.
    MenuCommands(LauncherWindow& window, CMRUComboBox& history, LaunchSystem& system, ProfileStore& profile,
                 Learning* learning = nullptr);

    // After the user agreed; quietly, as the settings ask at start. What the list learnt goes with it.
    void ClearHistory();
    void ClearHistoryQuietly();
    void RunProgram(const ProgramCommand& command);
    void OpenFolder(const FolderCommand& command);
    void DisplayReadme();
    // Log off, restart, shut down: ask when the user wants it, then ask the system to end the session.
    // Velquin stays open: other programs may still refuse, and the window ends with the session.
    void EndSession(const SessionCommand& command);
    // Adds the system Run box's commands that the history lacks.
    void ImportRunHistory();

    // Each of these commands' menu and button ids with its action, for the window's binding table.
    template <typename Binder>
    void Bind(const Binder& bind)
    {
        for (int id : {IDC_CLEAR_HISTORY, ID_TOOLS_CLEAR_HISTORY, ID_TRAY_CLEAR_HISTORY})
            bind(id, [this] { ClearHistory(); });
        bind(ID_TOOLS_IMPORT_RUN_HISTORY, [this] { ImportRunHistory(); });
        bind(ID_HELP_README, [this] { DisplayReadme(); });
        for (const ProgramCommand& command : kProgramCommands)
            bind(command.id, [this, &command] { RunProgram(command); });
        for (const FolderCommand& command : kFolderCommands)
            bind(command.id, [this, &command] { OpenFolder(command); });
        for (const SessionCommand& command : kSessionCommands)
            bind(command.id, [this, &command] { EndSession(command); });
    }

private:
    bool ListHolds(const std::string& text) const;

    LauncherWindow& window_;
    CMRUComboBox& history_;
    LaunchSystem& system_;
    ProfileStore& profile_;
    Learning* learning_;
    PutAway putAway_;
};
