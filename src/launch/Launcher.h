// The launch room: from the text to the outcome: the launch, the control rules, putting the window away, the shell
// side, network paths, the history log.
//
// The main window's launch, apart from the window: the window and the system are reached through
// LauncherWindow and LaunchSystem.
#pragma once

#include "framework/ProfileStore.h"
#include "history/MRUComboBox.h"
#include "launch/AddToPath.h"
#include "launch/LauncherWindow.h"
#include "launch/LaunchJob.h"
#include "launch/PutAway.h"
#include "text/CommandText.h"

#include <optional>
#include <string>

class Launcher {
public:
    // The "Add to my path" state is the window's: its box and Browse change it too.
    Launcher(LauncherWindow& window, CMRUComboBox& history, LaunchSystem& system, ProfileStore& profile,
             AddToPath& addToPath);

    // OK and Enter: launch the box's text; elevated (Ctrl+Shift) with the shell's "runas".
    void OnLaunch(bool elevated = false);
    // The tray's "Open Last Item": launch the newest history entry; the box keeps its text.
    void OnOpenLastItem();
    // The answer for a launch the window ran on its worker.
    void OnLaunchFinished(const LaunchResult& result);

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

    void RegisterLaunchedProgram(const std::string& fullPath);

    // A network text is launched on the window's worker; until it answers, no other launch starts.
    std::optional<Launch> launching_;

    LauncherWindow& window_;
    CMRUComboBox& history_;
    LaunchSystem& system_;
    ProfileStore& profile_;
    AddToPath& addToPath_;
    PutAway putAway_;
};
