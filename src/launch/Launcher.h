// The launch room: from the text to the outcome: the launch, the control rules, putting the window away, the shell
// side, the history log.
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
#include "settings/AliasTable.h"
#include "text/CommandText.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class Launcher {
public:
    // The "Add to my path" state is the window's: its box and Browse change it too.
    Launcher(LauncherWindow& window, CMRUComboBox& history, LaunchSystem& system, ProfileStore& profile,
             AddToPath& addToPath);

    // OK and Enter: launch the box's text; elevated (Ctrl+Shift) with the shell's "runas". A text still
    // waiting on the network is not launched twice. `typed` is what the user had typed of it (empty: all).
    void OnLaunch(bool elevated = false, const std::string& typed = std::string());
    // A text that uses one of these aliases launches its expansion; the history keeps the text.
    void UseAliases(AliasTable& aliases) { aliases_ = &aliases; }
    // Each success of a launch from the box is told here: what had been typed, and what was launched.
    void LearnWith(std::function<void(const std::string& typed, const std::string& launched)> learn)
    {
        learn_ = std::move(learn);
    }
    // A program started anew by its path (a window's program), recorded in the history as that path.
    void LaunchProgram(const std::string& path, bool elevated) { Start(QuoteIfBlank(path), elevated, false); }
    // The tray's "Open Last Item": launch the newest history entry; the box keeps its text.
    void OnOpenLastItem();
    // The answer for a launch the window ran on a worker.
    void OnLaunchFinished(unsigned id, const LaunchResult& result);

private:
    // A launch on its way: the request, whether its text came from the box, and its number.
    struct Launch {
        LaunchRequest request;
        bool fromBox = false;
        unsigned number = 0;
        std::string typed;  // what the user had typed of it, for the learning
        std::string historyText;  // what enters the history: the request's text, or the alias as typed
    };
    bool Waiting(const std::string& text) const;
    // What a text launches: the text, or the expansion of the alias it uses; nothing when that is refused (and
    // the user told why).
    std::optional<std::string> Expanded(const std::string& text);
    void Start(const std::string& text, bool elevated, bool fromBox, const std::string& typed = std::string(),
               const std::string& historyText = std::string());
    // A launch answered after another started is late: a success only enters the history, and a failure
    // says nothing, since the user has moved on.
    void Finish(const Launch& launch, const LaunchResult& result);
    // The text becomes the newest entry, once: entries equal to it, letter case ignored, go first.
    void RecordInHistory(const std::string& text);

    void RegisterLaunchedProgram(const std::string& fullPath);

    // Network texts, each launched on a worker of its own; any other text launches meanwhile.
    std::vector<Launch> waiting_;
    unsigned launches_ = 0;  // the number of the latest launch

    LauncherWindow& window_;
    CMRUComboBox& history_;
    LaunchSystem& system_;
    ProfileStore& profile_;
    AddToPath& addToPath_;
    PutAway putAway_;
    std::function<void(const std::string&, const std::string&)> learn_;
    AliasTable* aliases_ = nullptr;
};
