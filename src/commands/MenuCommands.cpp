#include "commands/MenuCommands.h"

#include "history/HistoryState.h"
#include "launch/HistoryLog.h"
#include "settings/SettingsRecord.h"

using Control = LauncherWindow::Control;

MenuCommands::MenuCommands(LauncherWindow& window, CMRUComboBox& history, LaunchSystem& system, ProfileStore& profile,
                           Learning* learning)
    : window_(window), history_(history), system_(system), profile_(profile), learning_(learning),
      putAway_(window, profile)
{
}

void MenuCommands::ClearHistory()
{
    const int answer = window_.ShowMessage(
        "This action will delete all items in your history folder.  Do you wish to continue?", "Velquin",
        ui::kYesNo | ui::kIconQuestion | ui::kDefaultButton2);
    if (answer != ui::kAnswerYes)
        return;
    ClearHistoryQuietly();
    history_.SaveMRU();
    window_.FocusBox();
}

void MenuCommands::ClearHistoryQuietly()
{
    const ProfileBatch batch(profile_);
    history_.ClearMRU();
    history_.RefreshCtrl();
    if (learning_)
        learning_->Clear();
    window_.Enable(Control::ClearHistory, false);
    WriteHistoryState(profile_, kHistoryCleared);
}

void MenuCommands::RunProgram(const ProgramCommand& command)
{
    SettingsRecord settings;
    settings.LoadSettings(profile_);
    const OpenResult result = system_.Open({command.program, "", "", settings.ShowWindow});
    // Judged by the shell's answer: a left-over error code is no failure, and no failure goes unreported.
    if (*command.failureMessage && JudgeOpen(result) != LaunchFailure::None)
        window_.ShowMessage(command.failureMessage, "Error", ui::kIconError);
    putAway_.AfterSuccess();
}

void MenuCommands::OpenFolder(const FolderCommand& command)
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
        putAway_.AfterSuccess();
    }
    // A folder the system does not name is not opened: there is nothing sensible to show.
    if (!folder.empty())
        system_.Open({folder, "", "", settings.ShowWindow});
    if (command.hide == HideStep::AfterOpening)
        putAway_.AfterSuccess();
}

void MenuCommands::DisplayReadme()
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

void MenuCommands::EndSession(const SessionCommand& command)
{
    SettingsRecord settings;
    settings.LoadSettings(profile_);
    if (settings.*command.prompt == 1 &&
        window_.ShowMessage(command.question, command.caption, ui::kYesNo | ui::kIconQuestion) != ui::kAnswerYes)
        return;
    if (const unsigned long error = system_.EndSession(command.flags, kPlannedShutdown))
        window_.ShowMessage(system_.ErrorText(error), "Velquin", ui::kIconError);
}

bool MenuCommands::ListHolds(const std::string& text) const
{
    ComboBoxView* box = history_.View();
    for (int i = 0; box && i < box->ItemCount(); ++i) {
        if (system_.SameTextIgnoringCase(box->ItemText(i), text))
            return true;
    }
    return false;
}

void MenuCommands::ImportRunHistory()
{
    const std::string order = system_.ReadRunHistoryValue("MRUList").value_or(std::string());
    std::string lastCommand;
    bool used = false;
    for (char name : order) {
        const auto value = system_.ReadRunHistoryValue(std::string(1, name));
        if (!value)
            continue;
        used = true;  // a Run history of any value counts as a use of the history
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
    if (used)
        WriteHistoryState(profile_, kHistoryNotCleared);
    KeepHistoryLog(history_, profile_);
    window_.ShowMessage("Run history has been added to your history folder.", "Velquin", ui::kIconInformation);
}
