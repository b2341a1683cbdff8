#include "launch/Launcher.h"

#include "framework/Text.h"
#include "history/HistoryState.h"
#include "launch/HistoryLog.h"
#include "settings/ProfileLayout.h"
#include "settings/SettingsRecord.h"

#include <utility>
#include <vector>

using Control = LauncherWindow::Control;

Launcher::Launcher(LauncherWindow& window, CMRUComboBox& history, LaunchSystem& system, ProfileStore& profile,
                   AddToPath& addToPath)
    : window_(window), history_(history), system_(system), profile_(profile), addToPath_(addToPath),
      putAway_(window, profile)
{
}

void Launcher::OnLaunch(bool elevated)
{
    if (launching_)
        return;
    const std::string text = Trim(window_.EditText());
    window_.SetEditText(text);
    Start(text, elevated, true);
}

void Launcher::OnOpenLastItem()
{
    if (launching_)
        return;
    ComboBoxView* box = history_.View();
    const std::string newest = box && box->ItemCount() > 0 ? box->ItemText(0) : std::string();
    if (newest.empty()) {
        window_.ShowMessage("There is no item to open.", "Velquin", ui::kIconExclamation);
        return;
    }
    Start(Trim(newest), false, false);
}

void Launcher::Start(const std::string& text, bool elevated, bool fromBox)
{
    SettingsRecord settings;
    settings.LoadSettings(profile_);
    const bool enter = addToPath_.UsedByLaunch(window_.IsAddToPathChecked());
    launching_ = Launch{{text, elevated, settings.ShowWindow, enter}, fromBox};
    // Every step may wait on a network path, from the split's file search to the shell's answer.
    if (MayWaitOnNetwork(system_.ExpandReferences(ExaminedText(text, false)), system_)) {
        window_.ShowBusy(true);
        window_.LaunchInBackground(launching_->request);
        return;
    }
    Finish(PerformLaunch(launching_->request, system_));
}

void Launcher::OnLaunchFinished(const LaunchResult& result)
{
    if (!launching_)
        return;
    window_.ShowBusy(false);
    Finish(result);
}

void Launcher::Finish(const LaunchResult& result)
{
    const Launch launch = *std::exchange(launching_, std::nullopt);
    if (result.failure == LaunchFailure::Cancelled)
        return;  // declined at the elevation prompt: not launched, nothing to record
    if (result.failure != LaunchFailure::None) {
        window_.ShowAs(ui::Show::Hide);
        window_.ShowMessage(FailureMessage(result.failure, result.displayName), result.displayName, ui::kIconError);
        window_.ShowAs(ui::Show::Normal);
        window_.FocusBox();
        return;
    }

    RecordInHistory(launch.request.text);
    KeepHistoryLog(history_, profile_);
    window_.Enable(Control::ClearHistory, true);
    // The program as it stands in the box is selected, while the box still shows what was launched.
    if (launch.fromBox && window_.EditText() == launch.request.text) {
        window_.FocusBox();
        window_.SelectInBox(0, static_cast<int>(result.typedLength));
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

