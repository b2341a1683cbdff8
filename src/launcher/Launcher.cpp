#include "launcher/Launcher.h"

#include "framework/Text.h"
#include "launcher/HistoryLog.h"
#include "settings/ProfileLayout.h"
#include "settings/SettingsRecord.h"

#include <vector>

using Control = LauncherWindow::Control;

Launcher::Launcher(LauncherWindow& window, CMRUComboBox& history, LaunchSystem& system, ProfileStore& profile)
    : window_(window), history_(history), system_(system), profile_(profile)
{
}

FileSearch Launcher::Finder()
{
    return [this](const std::string& pattern, std::string* fullPath) { return system_.FindFile(pattern, fullPath); };
}

void Launcher::OnLaunch(bool elevated)
{
    const std::string t = Trim(window_.EditText());
    const CommandSplit split = SplitCommandText(t, t);
    LaunchCommand(split.program, split.parameters, elevated);
}

void Launcher::OnOpenLastItem()
{
    ComboBoxView* box = history_.View();
    const std::string newest = box && box->ItemCount() > 0 ? box->ItemText(0) : std::string();
    if (newest.empty()) {
        window_.ShowMessage("There is no item to open.", "Velquin", ui::kIconExclamation);
        return;
    }
    const std::string t = Trim(newest);
    const CommandSplit split = SplitCommandText(t, t);
    LaunchCommand(split.program, split.parameters);
}

CommandSplit Launcher::SplitCommandText(const std::string& t, const std::string& fallbackProgram)
{
    return ::SplitCommandText(t, fallbackProgram, Finder(), [this](const std::string& path) {
        shortcutTarget = system_.ResolveShortcut(path);
        return shortcutTarget;
    });
}

void Launcher::LaunchCommand(std::string program, std::string parameters, bool elevated)
{
    // Split first, then fill in %NAME% references: a value with blanks must not be split.
    const std::string typedProgram = program;
    program = system_.ExpandReferences(program);
    parameters = system_.ExpandReferences(parameters);

    std::string directory;
    if (!system_.FindFile(program, nullptr))
        directory = system_.ReadAppPathWorkingDirectory(program).value_or(std::string());

    checkBoxValue = window_.IsAddToPathChecked() ? 1 : 0;
    const std::string text = Trim(window_.EditText());
    window_.SetEditText(text);

    SettingsRecord settings;
    settings.LoadSettings(profile_);

    // Failures name what the user typed: the quoted part of the text when there is one.
    std::string displayName = typedProgram;
    const size_t q1 = text.find('"');
    const size_t q2 = text.rfind('"');
    if (q1 != std::string::npos && q2 > q1)
        displayName = text.substr(q1 + 1, q2 - q1 - 1);

    if (program.find('\\') != std::string::npos)
        directory = FolderOf(program);

    const LaunchFailure failure =
        JudgeOpen(system_.Open({program, parameters, directory, settings.ShowWindow, elevated}));
    if (failure == LaunchFailure::Cancelled)
        return;  // declined at the elevation prompt: not launched, nothing to record
    if (failure != LaunchFailure::None) {
        window_.ShowAs(ui::Show::Hide);
        window_.ShowMessage(FailureMessage(failure, displayName), displayName, ui::kIconError);
        window_.ShowAs(ui::Show::Normal);
        window_.FocusBox();
        return;
    }

    historyState = kHistoryNotCleared;
    WriteHistoryState();
    RecordInHistory();
    WriteHistoryLog();
    window_.Enable(Control::ClearHistory, true);
    window_.FocusBox();
    window_.SelectInBox(0, static_cast<int>(program.size()));
    if (settings.HideOnSuccess == 1)
        PutAway(settings.PutIconInTray);
    if (checkBoxValue == 1 && addToPathArmed == 1)
        RegisterLaunchedProgram(program);
}

void Launcher::RegisterLaunchedProgram(const std::string& program)
{
    std::string fullPath;
    if (!system_.FindFile(program, &fullPath))
        return;
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

void Launcher::RecordInHistory()
{
    const std::string text = window_.EditText();
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
    if (examined.empty())
        return Existence::Empty;
    if (system_.IsOnNetwork(examined)) {
        if (examined != networkText_) {
            networkText_ = examined;
            networkTextExists_.reset();
            window_.CheckExistenceInBackground(examined);
        }
        return networkTextExists_.value_or(false) ? Existence::Exists : Existence::Missing;
    }
    return NamesExistingEntry(examined, Finder()) ? Existence::Exists : Existence::Missing;
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
    window_.Exit();
    system_.EndSession(command.flags);
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
