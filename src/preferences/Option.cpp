#include "preferences/Option.h"

#include "framework/App.h"
#include "framework/FileDialog.h"
#include "framework/FileFinder.h"
#include "framework/MessageBox.h"
#include "framework/Registry.h"
#include "framework/Text.h"
#include "framework/Unicode.h"
#include "keys/HotKey.h"
#include "launch/HistoryLog.h"
#include "launch/ShellLaunch.h"
#include "res/resource.h"
#include "settings/ProfileLayout.h"
#include "settings/StartWithWindows.h"

#include <commctrl.h>

using namespace profile;

namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunValue = "Velquin";
constexpr int kMaxPathText = 259;

// Check boxes and the fields they flip.
struct CheckField {
    int id;
    int SettingsRecord::*field;
};

const CheckField kCheckFields[] = {
    {IDC_CLEAR_HISTORY_AUTO, &SettingsRecord::ClearHistoryAuto},
    {IDC_START_MIN, &SettingsRecord::StartMin},
    {IDC_START_AUTO, &SettingsRecord::StartAuto},
    {IDC_HIDE_ON_SUCCESS, &SettingsRecord::HideOnSuccess},
    {IDC_PUT_ICON_IN_TRAY, &SettingsRecord::PutIconInTray},
    {IDC_PROMPT_LOG_OFF, &SettingsRecord::PromptOnLogOff},
    {IDC_PROMPT_RESTART, &SettingsRecord::PromptOnRestart},
    {IDC_PROMPT_SHUTDOWN, &SettingsRecord::PromptOnShutDown},
    {IDC_WIN_R, &SettingsRecord::WinR},
    {IDC_SUGGEST, &SettingsRecord::Suggest},
};

// Radio buttons and the show command each stands for.
struct ShowRadio {
    int id;
    int showCommand;
};

const ShowRadio kShowRadios[] = {{IDC_SHOW_NORMAL, 1}, {IDC_SHOW_MAXIMIZED, 3}, {IDC_SHOW_MINIMIZED, 2}};

}  // namespace

void WriteStartWithWindows()
{
    const std::string path = ModulePath();
    AppProfile().WriteString(kSettings, kVelquinPath, path);  // data, not a command line: no quotes
    RegKey::Create(HKEY_CURRENT_USER, kRunKey).WriteString(kRunValue, RunCommandOf(path));
}

void KeepStartingWithWindows(int startAuto)
{
    if (startAuto != 1)
        return;  // cleared in Preferences, the value went then
    RunValueSystem system;
    system.exists = [](const std::string& path) {
        // A copy on a share is not looked for: the window never waits on the network.
        return ShellLaunchSystem().IsOnNetwork(path) || FindFirstMatch(path);
    };
    system.expandReferences = ExpandReferences;
    system.same = SameTextIgnoringCase;
    std::optional<StoredRunValue> value;
    bool expandable = false;
    if (const auto text = RegKey::Open(HKEY_CURRENT_USER, kRunKey).ReadString(kRunValue, &expandable))
        value = StoredRunValue{*text, expandable};
    if (RunValueNeedsWriting(value, ModulePath(), system))
        WriteStartWithWindows();
}

void WritePlaceholderLog(const std::string& path)
{
    WriteLogFile(path, PlaceholderLogText());
}

COption::COption(HWND parent) : Dialog(IDD_PREFERENCES, parent)
{
    for (const CheckField& check : kCheckFields) {
        int SettingsRecord::*field = check.field;
        OnCommand(check.id, [this, field] { this->*field = this->*field == 0 ? 1 : 0; });
    }
    for (const ShowRadio& radio : kShowRadios) {
        const int command = radio.showCommand;
        OnCommand(radio.id, [this, command] { ShowWindow = command; });
    }
    OnCommand(IDC_SAVE_TO_FILE, [this] { OnSaveToFileClicked(); });
    OnNotify(IDC_LOG_FILE, EN_CHANGE, [this] { OnLocationChanged(); });
    OnCommand(IDC_DEFAULTS, [this] { OnDefaults(); });
    OnCommand(IDC_CHOOSE_LOG_FILE, [this] { OnChooseLogFile(); });
    OnCommand(IDC_VIEW_LOG, [this] { OnView(); });
    OnCommand(IDC_SHOW_HIDDEN, [this] {
        showHidden_ = true;
        Item(IDOK).Focus();  // the button goes off: there is nothing more to bring back
        Item(IDC_SHOW_HIDDEN).Enable(false);
    });
}

void COption::LoadSettings()
{
    SettingsRecord::LoadSettings(AppProfile(), App::Current().ProfileIsFile());
}

void COption::SaveSettings() const
{
    SettingsRecord::SaveSettings(AppProfile());
    if (showHidden_ && hidden_)
        hidden_->ShowAll();
}

void COption::DoDataExchange(DataExchange& dx)
{
    dx.Int(IDC_EDIT_FIELD, MaxHistory);
    dx.Text(IDC_LOG_FILE, LogFile, kMaxPathText);
    for (const CheckField& check : kCheckFields)
        dx.Check(check.id, this->*check.field);
    dx.Check(IDC_SAVE_TO_FILE, SaveToFile);
}

BOOL COption::OnInitDialog()
{
    const BOOL focus = Dialog::OnInitDialog();  // the count field shows the capacity the caller set
    LoadSettings();
    ShowLoadedSettings();
    if (hidden_)
        hidden_->Load();
    Item(IDC_SHOW_HIDDEN).Enable(hidden_ && hidden_->Any());
    locationChanged_ = false;  // filling the field is no change of the user's
    return focus;
}

void COption::ShowLoadedSettings()
{
    for (const CheckField& check : kCheckFields)
        Item<Button>(check.id).SetCheck(this->*check.field == 1);
    Item<Button>(IDC_SAVE_TO_FILE).SetCheck(SaveToFile == 1);
    Item(IDC_LOG_FILE).Enable(SaveToFile == 1);
    Item(IDC_CHOOSE_LOG_FILE).Enable(SaveToFile == 1);
    if (LogFile.empty())
        Item(IDC_VIEW_LOG).Enable(false);
    for (const ShowRadio& radio : kShowRadios)
        Item<Button>(radio.id).SetCheck(radio.showCommand == ShowWindow);
    Item(IDC_HOTKEY).Send(HKM_SETHOTKEY, static_cast<WPARAM>(HotKey));
}

void COption::OnSaveToFileClicked()
{
    LogFile = Item(IDC_LOG_FILE).Text();
    SaveToFile = SaveToFile == 0 ? 1 : 0;
    Item(IDC_LOG_FILE).Enable(SaveToFile == 1);
    Item(IDC_CHOOSE_LOG_FILE).Enable(SaveToFile == 1);
    UpdateOk();
}

void COption::OnLocationChanged()
{
    LogFile = Item(IDC_LOG_FILE).Text();
    Item(IDC_VIEW_LOG).Enable(!LogFile.empty());
    UpdateOk();
    locationChanged_ = true;
}

void COption::UpdateOk()
{
    // A history to save needs a place to go; nothing else keeps the settings from being saved.
    Item(IDOK).Enable(!(Checked(IDC_SAVE_TO_FILE) && Item(IDC_LOG_FILE).Text().empty()));
}

void COption::OnDefaults()
{
    MaxHistory = 30;
    UpdateData(false);
    Item(IDC_EDIT_FIELD).Focus();
    Item<Edit>(IDC_EDIT_FIELD).SetSel(0, 2);

    Item<Button>(IDC_CLEAR_HISTORY_AUTO).SetCheck(false);
    Item<Button>(IDC_WIN_R).SetCheck(false);
    Item<Button>(IDC_SAVE_TO_FILE).SetCheck(false);
    Item(IDC_LOG_FILE).Enable(false);
    Item(IDC_CHOOSE_LOG_FILE).Enable(false);
    SaveToFile = 0;
    ShowWindow = 1;

    Item<Button>(IDC_SHOW_NORMAL).SetCheck(true);
    Item<Button>(IDC_SHOW_MAXIMIZED).SetCheck(false);
    Item<Button>(IDC_SHOW_MINIMIZED).SetCheck(false);

    for (int id : {IDC_HIDE_ON_SUCCESS, IDC_PUT_ICON_IN_TRAY, IDC_PROMPT_LOG_OFF, IDC_PROMPT_RESTART,
                   IDC_PROMPT_SHUTDOWN, IDC_SUGGEST})
        Item<Button>(id).SetCheck(true);
    Item(IDC_HOTKEY).Send(HKM_SETHOTKEY, kDefaultHotKey);
    ReadControls();
    UpdateOk();  // no history to save any more, so no location is wanted
}

void COption::OnChooseLogFile()
{
    FileDialogRequest request;
    request.owner = Handle();
    request.title = "Save History To File";
    request.filter = "All Files|*.*||";
    request.flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_CREATEPROMPT;
    request.fileName = AppProfile().ReadString(kFolders, kLogFile);
    FileDialogChoice choice;
    if (!RunSaveFileDialog(request, choice))
        return;

    // The fields catch up with the controls first, or filling the controls would undo what the user did.
    ReadControls();
    LogFile = choice.path;
    UpdateData(false);
    Item(IDOK).Enable();
    Item(IDC_VIEW_LOG).Enable();
    AppProfile().WriteString(kFolders, kLogFile, LogFile);
    WritePlaceholderLog(LogFile);

    locationChanged_ = false;
    LogFile = Item(IDC_LOG_FILE).Text();
    Item(IDC_LOG_FILE).Focus();
    if (!LogFile.empty())
        Item<Edit>(IDC_LOG_FILE).SetSel(0, -1);
}

void COption::OnView()
{
    LogFile = Item(IDC_LOG_FILE).Text();
    // Judged by the shell's answer: a left-over error code is no failure, and no failure goes unreported.
    const OpenResult result = ShellOpen(Handle(), {"notepad", LogFile, "", SW_SHOWNORMAL});
    if (JudgeOpen(result) != LaunchFailure::None)
        ShowMessageBox(Handle(), "There was a failure launching notepad.", "Velquin", MB_ICONEXCLAMATION);
}

void COption::RefuseCount()
{
    ShowMessageBox(Handle(), "Please enter an integer between 1 and 99", "Velquin", MB_ICONEXCLAMATION);
    Item(IDC_EDIT_FIELD).Focus();
    Item<Edit>(IDC_EDIT_FIELD).SetSel(0, 2);
}

void COption::OnOK()
{
    // An empty or unreadable count is as wrong as one out of range.
    if (!UpdateData(true) || MaxHistory < 1 || MaxHistory > 99) {
        RefuseCount();
        return;
    }

    ReadControls();
    UpdateStartWithWindows();
    LogFile = Item(IDC_LOG_FILE).Text();
    CreateLogFileIfAsked();
    SaveSettings();
    EndDialog(IDOK);
}

void COption::ReadControls()
{
    if (const auto count = ParseInt(Item(IDC_EDIT_FIELD).Text()))
        MaxHistory = *count;
    for (const CheckField& check : kCheckFields)
        this->*check.field = Checked(check.id) ? 1 : 0;
    SaveToFile = Checked(IDC_SAVE_TO_FILE) ? 1 : 0;
    for (const ShowRadio& radio : kShowRadios) {
        if (Checked(radio.id))
            ShowWindow = radio.showCommand;
    }
    HotKey = static_cast<int>(Item(IDC_HOTKEY).Send(HKM_GETHOTKEY) & 0xFFFF);
}

void COption::UpdateStartWithWindows() const
{
    if (StartAuto == 1) {
        WriteStartWithWindows();
        return;
    }
    // A portable copy takes out only a value that starts itself: an installed copy's stays.
    RegKey run = RegKey::Open(HKEY_CURRENT_USER, kRunKey, KEY_READ | KEY_SET_VALUE);
    const std::string value = run.ReadString(kRunValue).value_or(std::string());
    if (!App::Current().ProfileIsFile() ||
        SameTextIgnoringCase(ExpandReferences(ProgramOfRunCommand(value)), ModulePath()))
        run.DeleteValue(kRunValue);
}

void COption::CreateLogFileIfAsked()
{
    if (SaveToFile != 1 || LogFile.empty() || !locationChanged_)
        return;
    if (FindFirstMatch(LogFile)) {
        const std::string question =
            "The file '" + LogFile + "' already exists.  Would you like to replace it?";
        if (ShowMessageBox(Handle(), question, "Velquin", MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES)
            return;
    }
    WritePlaceholderLog(LogFile);
}
