#include "launch/Launcher.h"

#include "framework/Text.h"
#include "history/HistoryState.h"
#include "launch/HistoryLog.h"
#include "settings/ProfileLayout.h"
#include "settings/SettingsRecord.h"

#include <algorithm>

using Control = LauncherWindow::Control;

Launcher::Launcher(LauncherWindow& window, CMRUComboBox& history, LaunchSystem& system, ProfileStore& profile,
                   AddToPath& addToPath)
    : window_(window), history_(history), system_(system), profile_(profile), addToPath_(addToPath),
      putAway_(window, profile)
{
}

std::optional<std::string> Launcher::Expanded(const std::string& text)
{
    const std::optional<AliasUse> use = aliases_ ? aliases_->UseIn(text) : std::nullopt;
    if (!use)
        return text;
    if (Utf16Length(use->expansion) > kMaxAliasExpansion) {
        window_.ShowMessage("What \"" + use->keyword + "\" stands for here is longer than 2,047 characters.",
                            "Velquin", ui::kIconExclamation);
        return std::nullopt;
    }
    return use->expansion;
}

void Launcher::OnLaunch(bool elevated, const std::string& typed)
{
    const std::string text = Trim(window_.EditText());
    const std::optional<std::string> launched = Expanded(text);
    if (!launched || Waiting(*launched))
        return;
    window_.SetEditText(text);
    Start(*launched, elevated, true, typed.empty() ? text : typed, text);
}

void Launcher::OnOpenLastItem()
{
    ComboBoxView* box = history_.View();
    const std::string newest = box && box->ItemCount() > 0 ? Trim(box->ItemText(0)) : std::string();
    if (newest.empty()) {
        window_.ShowMessage("There is no item to open.", "Velquin", ui::kIconExclamation);
        return;
    }
    // The history keeps an alias as it was typed: it stands for what it did then.
    const std::optional<std::string> launched = Expanded(newest);
    if (launched && !Waiting(*launched))
        Start(*launched, false, false, std::string(), newest);
}

bool Launcher::Waiting(const std::string& text) const
{
    return std::any_of(waiting_.begin(), waiting_.end(),
                       [&](const Launch& launch) { return system_.SameTextIgnoringCase(launch.request.text, text); });
}

void Launcher::Start(const std::string& text, bool elevated, bool fromBox, const std::string& typed,
                     const std::string& historyText)
{
    SettingsRecord settings;
    settings.LoadSettings(profile_);
    // Only a launch of the box's own text enters its program: the box's tick is about the box's text.
    const bool enter = fromBox && addToPath_.UsedByLaunch(window_.IsAddToPathChecked());
    Launch launch;
    launch.request = {text, elevated, settings.ShowWindow, enter};
    launch.fromBox = fromBox;
    launch.number = ++launches_;
    launch.typed = typed;
    launch.historyText = historyText.empty() ? text : historyText;
    // Every step may wait on a network path, from the split's file search to the shell's answer.
    if (LaunchMayWaitOnNetwork(text, system_)) {
        waiting_.push_back(launch);
        waiting_.back().request.onWorker = true;
        window_.ShowBusy(true);
        window_.LaunchInBackground(launch.number, waiting_.back().request);
        return;
    }
    Finish(launch, PerformLaunch(launch.request, system_));
}

void Launcher::OnLaunchFinished(unsigned id, const LaunchResult& result)
{
    const auto found = std::find_if(waiting_.begin(), waiting_.end(),
                                    [id](const Launch& launch) { return launch.number == id; });
    if (found == waiting_.end())
        return;
    const Launch launch = *found;
    waiting_.erase(found);
    window_.ShowBusy(!waiting_.empty());
    Finish(launch, result);
}

void Launcher::Finish(const Launch& launch, const LaunchResult& result)
{
    const bool late = launch.number != launches_;
    if (result.failure == LaunchFailure::Cancelled)
        return;  // declined at the elevation prompt: not launched, nothing to record
    if (result.failure != LaunchFailure::None) {
        if (late)
            return;
        const std::string text = result.failure == LaunchFailure::SystemError
                                     ? system_.ErrorText(result.errorCode)
                                     : FailureMessage(result.failure, result.displayName);
        window_.ShowAs(ui::Show::Hide);
        window_.ShowMessage(text, result.displayName.empty() ? "Velquin" : result.displayName, ui::kIconError);
        window_.ShowAs(ui::Show::Normal);
        window_.FocusBox();
        return;
    }

    {
        // A profile file is written once for the whole record, before the launch returns.
        const ProfileBatch batch(profile_);
        RecordInHistory(launch.historyText);
        if (launch.fromBox && learn_)
            learn_(launch.typed, launch.historyText);
    }
    KeepHistoryLog(history_, profile_);
    window_.Enable(Control::ClearHistory, true);
    if (late)
        return;
    // The program as it stands in the box is selected, while the box still shows what was launched.
    if (launch.fromBox && window_.EditText() == launch.historyText) {
        window_.FocusBox();
        // An alias's text is selected whole: its program is in the expansion, not in the box.
        const bool alias = launch.historyText != launch.request.text;
        window_.SelectInBox(0, static_cast<int>(alias ? Utf16Length(launch.historyText) : result.typedLength));
    }
    putAway_.AfterSuccess();
    if (launch.request.wantFullPath && !result.fullPath.empty())
        RegisterLaunchedProgram(result.fullPath);
}

void Launcher::RegisterLaunchedProgram(const std::string& fullPath)
{
    const std::string name = NameOf(fullPath);
    if (!system_.WriteAppPathEntry({name, fullPath, FolderOf(fullPath)}))
        window_.ShowMessage(AppPathRefusedText(name), "Velquin", ui::kIconExclamation);
}

void Launcher::RecordInHistory(const std::string& text)
{
    // The entries themselves are searched, not the drop-down's items: those skip empty slots, so their
    // positions need not be the entries' positions.
    if (CRecentFileList* list = history_.GetMRUList()) {
        for (int i = list->GetSize() - 1; i >= 0; --i) {
            if (!(*list)[i].empty() && system_.SameTextIgnoringCase((*list)[i], text))
                list->Remove(i);
        }
    }
    history_.AddToMRU(text);
    history_.RefreshCtrl();
    history_.SaveMRU();
    WriteHistoryState(profile_, kHistoryNotCleared);
}

