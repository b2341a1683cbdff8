#include "launcher/Launcher.h"

#include "framework/Text.h"
#include "launcher/HistoryLog.h"
#include "settings/ProfileLayout.h"
#include "settings/SettingsRecord.h"

#include <utility>
#include <vector>

using Control = LauncherWindow::Control;

Launcher::Launcher(LauncherWindow& window, CMRUComboBox& history, LaunchSystem& system, ProfileStore& profile)
    : window_(window), history_(history), system_(system), profile_(profile)
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
    checkBoxValue = window_.IsAddToPathChecked() ? 1 : 0;
    launching_ = Launch{{text, elevated, settings.ShowWindow, checkBoxValue == 1 && addToPathArmed == 1}, fromBox};
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
    WriteHistoryLog();
    window_.Enable(Control::ClearHistory, true);
    // The program as it stands in the box is selected, while the box still shows what was launched.
    if (launch.fromBox && window_.EditText() == launch.request.text) {
        window_.FocusBox();
        window_.SelectInBox(0, static_cast<int>(result.typedLength));
    }
    HideStepIfAsked();
    if (launch.request.wantFullPath && !result.fullPath.empty())
        RegisterLaunchedProgram(result.fullPath);
}

void Launcher::RegisterLaunchedProgram(const std::string& fullPath)
{
    const std::string name = NameOf(fullPath);
    if (!system_.WriteAppPathEntry({name, fullPath, FolderOf(fullPath)}))
        window_.ShowMessage(AppPathRefusedText(name), "Velquin", ui::kIconExclamation);
}

void Launcher::ClearHistory()
{
    const int answer = window_.ShowMessage(
        "This action will delete all items in your history folder.  Do you wish to continue?", "Velquin",
        ui::kYesNo | ui::kIconQuestion | ui::kDefaultButton2);
    if (answer != ui::kAnswerYes)
        return;
    history_.ClearMRU();
    history_.RefreshCtrl();
    history_.SaveMRU();
    window_.Enable(Control::ClearHistory, false);
    historyState = kHistoryCleared;
    WriteHistoryState();
    window_.FocusBox();
}

void Launcher::ClearHistoryQuietly()
{
    history_.ClearMRU();
    history_.RefreshCtrl();
    window_.Enable(Control::ClearHistory, false);
    historyState = kHistoryCleared;
    WriteHistoryState();
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
    historyState = kHistoryNotCleared;
    WriteHistoryState();
}

std::string Launcher::ReadHistoryState()
{
    historyState = profile_.ReadString(profile::kSettings, profile::kConfig);
    return historyState;
}

void Launcher::WriteHistoryState()
{
    profile_.WriteString(profile::kSettings, profile::kConfig, historyState);
}

void Launcher::WriteHistoryLog()
{
    SettingsRecord settings;
    settings.LoadSettings(profile_);
    if (settings.SaveToFile != 1)
        return;
    std::vector<std::string> items;
    if (ComboBoxView* box = history_.View()) {
        for (int i = 0; i < box->ItemCount(); ++i)
            items.push_back(box->ItemText(i));
    }
    WriteLogFile(settings.LogFile, HistoryLogText(items));
}

Launcher::Existence Launcher::Examine(const std::string& source, bool trim)
{
    const std::string examined = system_.ExpandReferences(ExaminedText(source, trim));
    if (examined.empty() || !MayWaitOnNetwork(examined, system_)) {
        // The worker's answer holds for one visit of a text: retyped later, the server may be back.
        networkText_.clear();
        networkTextExists_.reset();
        if (examined.empty())
            return Existence::Empty;
        return NamesExistingEntry(examined, system_) ? Existence::Exists : Existence::Missing;
    }
    if (examined != networkText_) {
        networkText_ = examined;
        networkTextExists_.reset();
        window_.CheckExistenceInBackground(examined);
    }
    return networkTextExists_.value_or(false) ? Existence::Exists : Existence::Missing;
}

void Launcher::ShowAddToPath(bool exists)
{
    window_.Enable(Control::AddToPath, exists);
    window_.SetAddToPathCheck(exists && storedAddToPath == 1);
}

void Launcher::UpdateControlStates()
{
    const Existence existence = Examine(window_.EditText(), true);
    if (existence == Existence::Exists) {
        ShowAddToPath(true);
        addToPathArmed = 1;
        return;
    }
    const bool hasText = existence == Existence::Missing;
    window_.Enable(Control::Ok, hasText);
    window_.Enable(Control::Clear, hasText);
    ShowAddToPath(false);
}

void Launcher::OnEditChange()
{
    const Existence existence = Examine(window_.EditText(), true);
    const bool hasText = existence != Existence::Empty;
    window_.Enable(Control::Ok, hasText);
    window_.Enable(Control::Clear, hasText);
    ShowAddToPath(existence == Existence::Exists);
}

void Launcher::OnSelectItem(const std::string& itemText)
{
    window_.Enable(Control::Ok, true);
    window_.Enable(Control::Clear, true);
    ShowAddToPath(Examine(itemText, false) == Existence::Exists);
}

void Launcher::OnExistenceChecked(const std::string& examined, bool exists)
{
    if (examined != networkText_)
        return;
    networkTextExists_ = exists;
    UpdateControlStates();
}

void Launcher::HideOrMinimize()
{
    SettingsRecord settings;
    settings.LoadSettings(profile_);
    PutAway(settings.PutIconInTray);
}

void Launcher::OnHotKey(bool windowInFront)
{
    if (windowInFront)
        HideOrMinimize();
    else
        window_.Summon();
}

void Launcher::PutAway(int putIconInTray)
{
    window_.ShowAs(PutAwayHides(putIconInTray) ? ui::Show::Hide : ui::Show::Minimize);
}

bool Launcher::PutAwayHides(int putIconInTray) const
{
    return putIconInTray == 1 && window_.TrayIconShown();
}

void Launcher::HideStepIfAsked()
{
    SettingsRecord settings;
    settings.LoadSettings(profile_);
    if (settings.HideOnSuccess == 1)
        PutAway(settings.PutIconInTray);
}

void Launcher::RunProgram(const ProgramCommand& command)
{
    SettingsRecord settings;
    settings.LoadSettings(profile_);
    const OpenResult result = system_.Open({command.program, "", "", settings.ShowWindow});
    // Judged by the shell's answer: a left-over error code is no failure, and no failure goes unreported.
    if (*command.failureMessage && JudgeOpen(result) != LaunchFailure::None)
        window_.ShowMessage(command.failureMessage, "Error", ui::kIconError);
    HideStepIfAsked();
}

void Launcher::OpenFolder(const FolderCommand& command)
{
    SettingsRecord settings;
    settings.LoadSettings(profile_);
    std::string folder;
    switch (command.source) {
    case FolderSource::ShellFolder:
        folder = system_.ReadShellFolder(command.shellFolder);
        break;
    case FolderSource::SystemDirectory:
        folder = system_.SystemDirectory();
        break;
    case FolderSource::WindowsDirectory:
        folder = system_.WindowsDirectory();
        break;
    }
    if (command.hide == HideStep::BeforeOpening) {
        window_.FocusBox();
        HideStepIfAsked();
    }
    // A folder the system does not name is not opened: there is nothing sensible to show.
    if (!folder.empty())
        system_.Open({folder, "", "", settings.ShowWindow});
    if (command.hide == HideStep::AfterOpening)
        HideStepIfAsked();
}

void Launcher::DisplayReadme()
{
    const std::string folder = system_.ProgramFolder();
    const char* const chain[][2] = {{"winword", "Readme.doc"}, {"wordpad", "Readme.doc"}, {"notepad", "Readme.txt"}};
    // The next program is tried only when the one before was not found.
    for (const auto& step : chain) {
        const OpenResult result = system_.Open({step[0], step[1], folder, static_cast<int>(ui::Show::Normal)});
        if (JudgeOpen(result) != LaunchFailure::FileNotFound)
            break;
    }
    window_.ShowAs(ui::Show::Minimize);
}

void Launcher::EndSession(const SessionCommand& command)
{
    SettingsRecord settings;
    settings.LoadSettings(profile_);
    if (settings.*command.prompt == 1 &&
        window_.ShowMessage(command.question, command.caption, ui::kYesNo | ui::kIconQuestion) != ui::kAnswerYes)
        return;
    if (const unsigned long error = system_.EndSession(command.flags, kPlannedShutdown))
        window_.ShowMessage(system_.ErrorText(error), "Velquin", ui::kIconError);
}

bool Launcher::ListHolds(const std::string& text) const
{
    ComboBoxView* box = history_.View();
    for (int i = 0; box && i < box->ItemCount(); ++i) {
        if (system_.SameTextIgnoringCase(box->ItemText(i), text))
            return true;
    }
    return false;
}

void Launcher::ImportRunHistory()
{
    const std::string order = system_.ReadRunHistoryValue("MRUList").value_or(std::string());
    std::string lastCommand;
    for (char name : order) {
        const auto value = system_.ReadRunHistoryValue(std::string(1, name));
        if (!value)
            continue;
        historyState = kHistoryNotCleared;
        const std::string command = RunHistoryCommand(*value);
        if (command.empty())
            continue;  // no command at all: nothing worth an entry
        lastCommand = command;
        if (!ListHolds(command))
            history_.AddToMRU(command);
    }
    if (window_.EditText().empty() && !lastCommand.empty())
        window_.SetEditText(lastCommand);
    history_.RefreshCtrl();
    WriteHistoryState();
    WriteHistoryLog();
    window_.ShowMessage("Run history has been added to your history folder.", "Velquin", ui::kIconInformation);
}
