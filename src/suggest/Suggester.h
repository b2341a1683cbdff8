// The suggest room: suggestions as you type: sources, index, matching and ranking, the list's window.
//
// Suggestions as the user types, for the main window's box: the index on a thread of its own, folder
// listings and icons on workers, the matching on the window's thread, and the list's window. Nothing here
// waits on the system: every answer comes back as a window message, applied only if it still fits. What the
// list shows, and where the user is in it, is the model's (SuggestionModel); this feeds it and shows it.
#pragma once

#include "framework/BackgroundWork.h"
#include "suggest/Candidate.h"
#include "suggest/IconCache.h"
#include "suggest/SuggestList.h"
#include "suggest/SuggestPopup.h"
#include "suggest/SuggestSystem.h"
#include "suggest/SuggestionModel.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class Suggester {
public:
    // What it needs of the window.
    struct Box {
        HWND window = nullptr;
        HWND box = nullptr;
        // The box shows this text, as if it had been typed; what the index knows of it, if anything.
        std::function<void(const std::string&, Known)> fill;
        std::function<void()> launch;                    // what the box holds, as OK launches it
        std::function<void(const std::string&)> forget;  // a history entry leaves the history
    };

    // It posts its answers to the window as firstMessage to firstMessage + 2. The learning and the hidden lines
    // are the window's: the launch and the menu's commands change them too.
    Suggester(std::shared_ptr<SuggestSystem> system, UINT firstMessage, Learning& learning, HiddenLines& hidden);
    // Every worker is told to stop; the index thread is given at most 100 ms.
    ~Suggester();
    Suggester(const Suggester&) = delete;
    Suggester& operator=(const Suggester&) = delete;

    void Attach(Box box) { box_ = std::move(box); }
    void UseAliases(AliasTable& aliases) { model_.UseAliases(aliases); }
    // On: the lines follow the typing, from the history until the index is ready. Off: no list, no thread,
    // no worker.
    void Enable(bool on);
    // The index thread starts, if it has not yet: a while after the first paint, or at the first key.
    void StartIndex();
    bool Enabled() const { return model_.HasIndex(); }

    // The user changed the box's text; `typed` leaves out the completed rest. The history newest first.
    void OnTyped(const std::string& typed, const std::vector<std::string>& history);
    // A key on the box: true when the list took it.
    bool OnKey(ListKey key);
    bool Showing() const { return popup_.Visible(); }
    // Until the user types again.
    void Hide();
    // The window a Window line put into the box, while the box still shows its title.
    std::optional<SuggestionModel::SwitchTarget> SwitchTargetFor(const std::string& boxText) const
    {
        return model_.SwitchTargetFor(boxText);
    }
    // What the user had typed when the box's text is launched (see SuggestionModel::TypedAtLaunch).
    std::string TypedAtLaunch(const std::string& boxText, int selectionStart, int selectionEnd) const
    {
        return model_.TypedAtLaunch(boxText, selectionStart, selectionEnd);
    }
    // The process's environment was made again: the index follows it (PATH, PATHEXT, the variables).
    void OnEnvironmentChanged();
    // One of its own messages: true when it was.
    bool OnMessage(UINT message);

    // For the tests: the list's window, made the first time it shows.
    HWND ListWindow() const { return popup_.List(); }

private:
    struct IconQuestion {
        std::vector<Candidate> lines;  // their icon paths and kinds
        int size;
    };
    struct FetchedIcon {
        std::string path;
        UniqueHandle<IconTraits> icon;
    };
    using IconAnswer = std::vector<FetchedIcon>;
    struct IndexThread;

    void Match();
    // An answer that came later: applied at once unless the user is on a line.
    void MatchUnlessOnALine();
    void Show();
    void RemoveHighlighted();
    void AskIcons();
    void ApplyIcons(const IconQuestion& question, IconAnswer icons);
    HICON CachedIcon(const std::string& path) const;
    void Fill(int line);

    std::shared_ptr<SuggestSystem> system_;
    const UINT firstMessage_;
    Box box_;
    std::unique_ptr<IndexThread> indexThread_;
    std::unique_ptr<BackgroundWork<std::string, FolderListing>> lister_;
    std::unique_ptr<BackgroundWork<IconQuestion, IconAnswer>> iconFetcher_;

    SuggestionModel model_;
    SuggestPopup popup_;  // shows the model's lines

    IconCache<UniqueHandle<IconTraits>> icons_{128};
    DWORD windowsTaken_ = 0;  // when the windows were last listed (tick count)
    int iconSize_ = 16;  // at the window's dots per inch when the lines were last shown
};
