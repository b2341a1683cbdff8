#include "window/VelquinDlg.h"

#include "commands/AboutDlg.h"
#include "commands/AliasesDlg.h"
#include "commands/Browse.h"
#include "commands/SettingsFiles.h"
#include "commands/ShellCommands.h"
#include "framework/App.h"
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/Registry.h"
#include "framework/Text.h"
#include "framework/Unicode.h"
#include "history/HistoryEditor.h"
#include "history/HistoryState.h"
#include "paths/AppPaths.h"
#include "paths/PathEditorDlg.h"
#include "preferences/Option.h"
#include "res/resource.h"
#include "settings/ProfileLayout.h"
#include "text/CommandText.h"
#include "window/ScreenPlace.h"
#include "window/WindowPlacement.h"

#include <commctrl.h>

#include <ctime>
#include <string_view>

using namespace profile;

namespace {

constexpr UINT kTrayMessage = WM_USER + 10;
constexpr UINT kExistenceCheckedMessage = WM_USER + 11;
constexpr UINT kAfterFirstPaintMessage = WM_USER + 12;
constexpr UINT kLaunchFinishedMessage = WM_USER + 13;
constexpr UINT kEnvironmentMessage = WM_USER + 14;
constexpr UINT kSuggestMessages = WM_USER + 20;  // and the two after it
// Reading the Programs folders, App Paths and PATH competes with the start for the disk and the system: it
// waits this long after the first paint, or for the first key.
constexpr UINT kIndexDelay = 1000;

bool KeyIsDown(int key)
{
    return (GetKeyState(key) & 0x8000) != 0;
}

}  // namespace

template <typename System, typename Default>
std::shared_ptr<System> SharedSystem(System* given)
{
    return given ? std::shared_ptr<System>(given, [](System*) {}) : MakeShared<Default>();
}

CVelquinDlg::CVelquinDlg(LaunchSystem* system, SuggestSystem* suggestSystem, MessageDelivery* delivery)
    : Dialog(IDD_VELQUIN_DIALOG),
      delivery_(delivery ? *delivery : SystemDelivery()),
      history_(AppProfile()),
      system_(SharedSystem<LaunchSystem, ShellLaunchSystem>(system)),
      learning_(AppProfile(), FoldCase),
      hidden_(AppProfile(), FoldCase),
      aliases_(AppProfile(), FoldCase),
      face_({historyBox_, okButton_, clearButton_, addToPathBox_, clearHistoryButton_, tray_}, system_,
            kExistenceCheckedMessage, kLaunchFinishedMessage),
      launcher_(face_, history_, *system_, AppProfile(), addToPath_),
      rules_(face_, *system_, addToPath_),
      commands_(face_, history_, *system_, AppProfile(), &learning_),
      putAway_(face_, AppProfile()),
      suggestions_(SharedSystem<SuggestSystem, ShellSuggestSystem>(suggestSystem), kSuggestMessages, historyBox_,
                   history_, learning_, hidden_),
      environment_(kEnvironmentMessage)
{
    tray_.SetDelivery(delivery_);
    history_.SetView(&historyBox_);
    launcher_.UseAliases(aliases_);
    suggestions_.Feed().UseAliases(aliases_);
    launcher_.LearnWith([this](const std::string& typed, const std::string& launched) {
        learning_.Record(typed, launched, static_cast<std::int64_t>(std::time(nullptr)));
    });
    historyBox_.Listen({[this](unsigned key) { return OnBoxKey(key); },
                        [this](unsigned key) { history_.OnKeyDown(key); },
                        [this] {
                            history_.OnEditUpdate();
                            suggestions_.OnTyped();
                        }});

    OnCommand(ID_TRAY_OPEN_LAST_ITEM, *this, &CVelquinDlg::OnOpenLastItem);
    OnCommand(IDC_CLEAR, *this, &CVelquinDlg::OnClear);
    OnCommand(IDC_MINIMIZE, *this, &CVelquinDlg::OnMinimizeButton);
    OnCommand(ID_FILE_MINIMIZE, putAway_, &PutAway::HideOrMinimize);
    OnCommand(ID_TRAY_MAXIMIZE, *this, &CVelquinDlg::OnRestore);
    OnCommand(ID_FILE_EXIT, *this, &CVelquinDlg::OnCancel);
    OnCommand(ID_TRAY_EXIT, *this, &CVelquinDlg::OnCancel);
    OnCommand(IDC_ADD_TO_PATH, *this, &CVelquinDlg::OnAddToPath);
    BindMenuCommands();

    OnNotify(IDC_HISTORY_COMBO, CBN_EDITCHANGE, rules_, &ControlRules::OnEditChange);
    OnNotify(IDC_HISTORY_COMBO, CBN_SELENDOK, *this, &CVelquinDlg::OnSelectionAccepted);
    OnNotify(IDC_HISTORY_COMBO, CBN_KILLFOCUS, *this, &CVelquinDlg::OnBoxLostFocus);
    OnNotify(IDC_HISTORY_COMBO, CBN_DROPDOWN, suggestions_, &BoxSuggestions::Hide);
    OnNotify(IDC_HISTORY_COMBO, CBN_DBLCLK, [] {});

    for (UINT message : {WM_MOVE, WM_ACTIVATE, WM_SIZE})
        OnMessage(message, suggestions_, &BoxSuggestions::OnWindowChange);
    for (UINT message = kSuggestMessages; message < kSuggestMessages + 3; ++message)
        OnMessage(message, suggestions_, &BoxSuggestions::OnListMessage);
    OnMessage(WM_TIMER, suggestions_, &BoxSuggestions::OnTimer);
    OnMessage(WM_SETTINGCHANGE, *this, &CVelquinDlg::OnSettingChange);
    OnMessage(kEnvironmentMessage, *this, &CVelquinDlg::OnEnvironmentMade);
    OnMessage(WM_MOUSEMOVE, *this, &CVelquinDlg::UpdateThenDefault);
    OnMessage(WM_LBUTTONUP, *this, &CVelquinDlg::UpdateThenDefault);
    OnMessage(RegisterWindowMessageA(kSummonMessageName), *this, &CVelquinDlg::OnSummonMessage);
    OnMessage(RegisterWindowMessageA(kProfileNotSavedMessageName), *this, &CVelquinDlg::OnProfileNotSaved);
    OnMessage(WM_DPICHANGED, *this, &CVelquinDlg::OnDpiChanged);
    OnMessage(kAfterFirstPaintMessage, *this, &CVelquinDlg::AfterFirstPaint);
    OnMessage(WM_SHOWWINDOW, *this, &CVelquinDlg::OnShowWindow);
    OnMessage(WM_HOTKEY, *this, &CVelquinDlg::OnHotKey);
    for (UINT message : {WM_POWERBROADCAST, WM_WTSSESSION_CHANGE})
        OnMessage(message, keys_, &GlobalKeys::OnSystemNotice);
    OnMessage(WM_DESTROY, keys_, &GlobalKeys::OnWindowDestroyed);
    OnMessage(kExistenceCheckedMessage, face_, &LaunchFace::OnExistenceChecked);
    OnMessage(kLaunchFinishedMessage, face_, &LaunchFace::OnLaunchFinished);
    OnMessage(WM_SETCURSOR, face_, &LaunchFace::OnSetCursor);
    OnMessage(WM_SYSCOMMAND, *this, &CVelquinDlg::OnSystemCommand);
    OnMessage(WM_QUERYDRAGICON, *this, &CVelquinDlg::OnQueryDragIcon);
    OnMessage(WM_CLOSE, *this, &CVelquinDlg::OnClose);
    OnMessage(WM_ENDSESSION, *this, &CVelquinDlg::OnEndSession);
}

// The list's keys first; then Ctrl+A and Ctrl+Backspace, which not every system's edit field knows.
bool CVelquinDlg::OnBoxKey(unsigned key)
{
    if (suggestions_.OnKey(key))
        return true;
    return KeyIsDown(VK_CONTROL) && !KeyIsDown(VK_MENU) && !KeyIsDown(VK_SHIFT) && history_.OnControlKey(key);
}

void CVelquinDlg::OnOpenLastItem()
{
    suggestions_.Hide();
    launcher_.OnOpenLastItem();
}

void CVelquinDlg::OnBoxLostFocus()
{
    suggestions_.Hide();
    rules_.UpdateControlStates();
}

bool CVelquinDlg::UpdateThenDefault()
{
    rules_.UpdateControlStates();
    return false;
}

bool CVelquinDlg::OnSummonMessage(Message& message)
{
    Summon();
    message.result = TRUE;
    return true;
}

// Velquin's own pictures follow here; the rest is the dialog manager's (per-monitor, version 2): it lays the
// controls out again, gives them their fonts and sizes the window, but only when the message is left to it.
bool CVelquinDlg::OnDpiChanged(Message& message)
{
    icons_.Scale(Handle(), LOWORD(message.wParam), tray_);
    return false;
}

bool CVelquinDlg::AfterFirstPaint()
{
    COption settings;
    settings.LoadSettings();
    keys_.Take(Handle(), settings.HotKey, settings.WinR == 1, false);
    KeepStartingWithWindows(settings.StartAuto);
    SuggestAsTyped(settings.Suggest == 1, kIndexDelay);
    environment_.NoteRegistryNames();
    return true;
}

// The user's variables changed: the environment is made again as a fresh logon makes it, whatever the
// suggestions' setting, and the suggestions' PATH lines follow it.
bool CVelquinDlg::OnSettingChange(Message& message)
{
    const auto* area = reinterpret_cast<const wchar_t*>(message.lParam);
    if (area && std::wstring_view(area) == L"Environment")
        environment_.OnChanged(Handle());
    return false;  // the message goes on
}

bool CVelquinDlg::OnEnvironmentMade()
{
    if (environment_.OnBlock())
        suggestions_.Feed().OnEnvironmentChanged();
    return true;
}

bool CVelquinDlg::OnShowWindow(Message& message)
{
    if (message.wParam)
        keys_.RenewWinR();
    else
        suggestions_.Hide();
    return false;
}

bool CVelquinDlg::OnHotKey()
{
    putAway_.OnHotKey(GetForegroundWindow() == Handle());
    return true;
}

bool CVelquinDlg::OnQueryDragIcon(Message& message)
{
    message.result = reinterpret_cast<LRESULT>(icons_.Small());
    return true;
}

bool CVelquinDlg::OnClose()
{
    StorePlace(Handle(), AppProfile());
    return false;  // the default turns it into Cancel, that is Exit
}

// The session ends (a log off or shut down, Velquin's own or another's): what Exit keeps is kept now, as the
// process may end as soon as this returns.
bool CVelquinDlg::OnEndSession(Message& message)
{
    if (message.wParam) {
        history_.SaveMRU();
        OnCancel();
    }
    return true;
}

void CVelquinDlg::DoDataExchange(DataExchange& dx)
{
    dx.Control(IDC_MINIMIZE, minimizeButton_);
    dx.Control(IDC_ADD_TO_PATH, addToPathBox_);
    dx.Control(IDC_BROWSE, browseButton_);
    dx.Control(IDC_CLEAR, clearButton_);
    dx.Control(IDC_CLEAR_HISTORY, clearHistoryButton_);
    dx.Control(IDOK, okButton_);
    dx.Control(IDC_HISTORY_COMBO, historyBox_);
    dx.Text(IDC_HISTORY_COMBO, boundText_, static_cast<int>(kMaxProfileText));  // what the history can hold
    int checked = addToPath_.Checked() ? 1 : 0;
    dx.Check(IDC_ADD_TO_PATH, checked);
    addToPath_.BoxShows(checked == 1);
}

BOOL CVelquinDlg::OnInitDialog()
{
    App::Current().SetMainWindow(Handle());
    // Started as administrator, the window hears a second start of a normal copy only when it allows it, and
    // from its first moment: that start may come before the first paint.
    delivery_.AllowFromLowerIntegrity(Handle(), RegisterWindowMessageA(kSummonMessageName));
    face_.Attach(Handle(), [this] { Summon(); }, launcher_, rules_);

    COption settings;
    settings.LoadSettings();
    icons_.Scale(Handle(), WindowDpi(Handle()), tray_);
    icons_.PutInTray(tray_, settings.PutIconInTray == 1, kTrayMessage);
    Dialog::OnInitDialog();

    addToPath_.Loaded(AppProfile().ReadInt(kSettings, kAddToPath, 0));
    addToPathBox_.SetCheck(addToPath_.Checked());

    const std::optional<ScreenPoint> place = StoredPlace(AppProfile());
    if (place && settings.StartMin == 0)
        MoveToStoredPlace(Handle(), *place);

    SetUpAsHistory(history_, HistoryCapacity(settings.MaxHistory));

    if (settings.ClearHistoryAuto == 1)
        commands_.ClearHistoryQuietly();
    if (settings.StartMin == 1)
        ::ShowWindow(Handle(), SW_SHOWMINIMIZED);

    const std::string state = ReadHistoryState(AppProfile());
    if (state == kHistoryCleared)
        clearHistoryButton_.Enable(false);
    else if (state == kHistoryNotCleared)
        PrimeFromNewestEntry();

    // A portable copy leaves the machine's tables alone.
    if (!App::Current().ProfileIsFile())
        RegisterSelfInAppPaths();
    if (const ULONG_PTR mark = App::Current().CopyMark())
        SetPropA(Handle(), kCopyMarkProperty, reinterpret_cast<HANDLE>(mark));
    // Taking the keys waits on the display server under some systems: it comes after the first paint, with
    // whatever else can wait.
    PostMessageA(Handle(), kAfterFirstPaintMessage, 0, 0);
    return TRUE;
}

void CVelquinDlg::PrimeFromNewestEntry()
{
    boundText_ = historyBox_.ItemCount() > 0 ? historyBox_.ItemText(0) : std::string();
    const std::string examined = LeadingQuotedPart(boundText_).value_or(boundText_);
    UpdateData(false);
    if (!examined.empty()) {
        okButton_.Enable();
        clearButton_.Enable();
        addToPathBox_.Enable();
    }
    rules_.UpdateControlStates();
}

void CVelquinDlg::OnOK()
{
    // Ctrl+Shift with Enter or OK starts the text as administrator. The window stays open.
    const std::string typed = suggestions_.TypedAtLaunch();
    if (SwitchToWindow(typed))
        return;
    suggestions_.Hide();
    launcher_.OnLaunch(KeyIsDown(VK_CONTROL) && KeyIsDown(VK_SHIFT), typed);
}

// The box shows the title a Window line put there: Enter switches to that window, Shift+Enter starts its
// program anew (Ctrl+Shift+Enter as administrator). Nothing enters the history at a switch.
bool CVelquinDlg::SwitchToWindow(const std::string& typed)
{
    const auto target = suggestions_.Feed().SwitchTargetFor(historyBox_.EditText());
    const auto window = target ? reinterpret_cast<HWND>(target->handle) : nullptr;
    if (!window || !IsWindow(window))
        return false;
    suggestions_.Hide();
    if (KeyIsDown(VK_SHIFT) && !target->program.empty()) {
        launcher_.LaunchProgram(target->program, KeyIsDown(VK_CONTROL));
        return true;
    }
    BringWindowForward(window);
    learning_.Record(typed, "window:" + target->program, static_cast<std::int64_t>(std::time(nullptr)));
    putAway_.AfterSuccess();
    return true;
}

void CVelquinDlg::OnCancel()
{
    StorePlace(Handle(), AppProfile());
    EndDialog(IDCANCEL);
}

void CVelquinDlg::OnClear()
{
    boundText_.clear();
    UpdateData(false);
    clearButton_.Enable(false);
    okButton_.Enable(false);
    historyBox_.Focus();
}

void CVelquinDlg::OnRestore()
{
    ::ShowWindow(Handle(), SW_SHOWNORMAL);
}

void CVelquinDlg::OnMinimizeButton()
{
    minimizeButton_.Focus();
    putAway_.HideOrMinimize();
}

void CVelquinDlg::OnAddToPath()
{
    AppProfile().WriteInt(kSettings, kAddToPath, addToPath_.Toggled());
}

void CVelquinDlg::OnSelectionAccepted()
{
    const int selected = static_cast<int>(historyBox_.Send(CB_GETCURSEL));
    rules_.OnSelectItem(selected >= 0 ? historyBox_.ItemText(selected) : std::string());
}

bool CVelquinDlg::OnSystemCommand(Message& message)
{
    if (message.wParam != SC_MINIMIZE)
        return false;
    COption settings;
    settings.LoadSettings();
    if (putAway_.Hides(settings.PutIconInTray)) {
        ::ShowWindow(Handle(), SW_HIDE);
        return true;
    }
    return false;  // the system minimises
}

void CVelquinDlg::BindMenuCommands()
{
    for (int id : {IDC_BROWSE, ID_FILE_BROWSE})
        OnCommand(id, *this, &CVelquinDlg::OnBrowse);
    for (int id : {ID_HELP_ABOUT, ID_TRAY_ABOUT})
        OnCommand(id, *this, &CVelquinDlg::RunWhenFree<CAboutDlg>);
    for (int id : {ID_TOOLS_PATH_EDITOR, ID_TRAY_PATH_EDITOR})
        OnCommand(id, *this, &CVelquinDlg::RunWhenFree<CPathEditorDlg>);
    OnCommand(IDC_OPTIONS, *this, &CVelquinDlg::OpenPreferences);
    OnCommand(ID_TOOLS_PREFERENCES, *this, &CVelquinDlg::PreferencesFromMenu);
    OnCommand(ID_TRAY_PREFERENCES, *this, &CVelquinDlg::PreferencesFromTray);
    OnCommand(ID_TOOLS_EDIT_HISTORY, *this, &CVelquinDlg::EditHistory);
    OnCommand(ID_TOOLS_ALIASES, *this, &CVelquinDlg::EditAliases);
    OnCommand(ID_FILE_EXPORT_SETTINGS, *this, &CVelquinDlg::ExportSettingsFromMenu);
    OnCommand(ID_FILE_IMPORT_SETTINGS, *this, &CVelquinDlg::ImportSettingsFromMenu);
    commands_.Bind([this](int id, auto action) { OnCommand(id, std::move(action)); });
}

template <typename Work>
void CVelquinDlg::WhenFree(Work work)
{
    if (busy_ == 1)
        return;
    busy_ = 1;
    work();
    busy_ = 0;
}

template <typename DialogType>
void CVelquinDlg::RunWhenFree()
{
    WhenFree([] { DialogType().DoModal(); });
}

void CVelquinDlg::OpenPreferences()
{
    WhenFree([this] {
        COption preferences;
        preferences.LoadSettings();
        preferences.MaxHistory = history_.GetMaxMRUSize();
        preferences.ShowHiddenFrom(hidden_);
        if (preferences.DoModal() != IDOK)
            return;
        history_.SetMaxMRUSize(preferences.MaxHistory);
        preferences.MaxHistory = history_.GetMaxMRUSize();
        history_.RefreshCtrl();
        preferences.SaveSettings();
        keys_.Take(Handle(), preferences.HotKey, preferences.WinR == 1, true);
        SuggestAsTyped(preferences.Suggest == 1, 0);
    });
}

void CVelquinDlg::Summon()
{
    ::ShowWindow(Handle(), IsIconic(Handle()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(Handle());
    historyBox_.Focus();
    SelectWholeText(historyBox_.EditText());
}

void CVelquinDlg::SelectWholeText(const std::string& text)
{
    historyBox_.SetEditSel(0, static_cast<int>(Utf16Length(text)));
}

// From the menu the box gets back the focus and the text it had; from the tray, its text as it is now.
void CVelquinDlg::PreferencesFromMenu()
{
    const std::string typed = historyBox_.EditText();
    OpenPreferences();
    historyBox_.Focus();
    SelectWholeText(typed);
}

void CVelquinDlg::PreferencesFromTray()
{
    OpenPreferences();
    SelectWholeText(historyBox_.EditText());
}

void CVelquinDlg::EditHistory()
{
    // Opens even while another dialog runs: the list it edits is the profile's, not a window's.
    CHistoryEditor editor;
    const std::string typed = historyBox_.EditText();
    busy_ = 1;
    editor.DoModal();
    if (!editor.LastRemovedText().empty())
        ReloadHistory();
    historyBox_.SetEditText(typed);
    SelectWholeText(typed);
    busy_ = 0;
}

void CVelquinDlg::ReloadHistory()
{
    historyBox_.ResetContent();
    history_.LoadMRU();
    history_.RefreshCtrl();
}

void CVelquinDlg::EditAliases()
{
    WhenFree([this] { CAliasesDlg(aliases_, Handle()).DoModal(); });
}

void CVelquinDlg::ExportSettingsFromMenu()
{
    WhenFree([this] { ExportSettings(Handle(), AppProfile()); });
}

// The window takes up the imported profile as a start would: the history, the learning, the hidden lines,
// the aliases, and the settings the Preferences' OK applies.
void CVelquinDlg::ImportSettingsFromMenu()
{
    WhenFree([this] {
        if (!ImportSettings(Handle(), AppProfile()))
            return;
        COption settings;
        settings.LoadSettings();
        const std::string typed = historyBox_.EditText();
        history_.SetMaxMRUSize(HistoryCapacity(settings.MaxHistory));
        ReloadHistory();
        historyBox_.SetEditText(typed);
        clearHistoryButton_.Enable(historyBox_.ItemCount() > 0);
        learning_.Reread();
        hidden_.Reread();
        aliases_.Reread();
        keys_.Take(Handle(), settings.HotKey, settings.WinR == 1, true);
        SuggestAsTyped(settings.Suggest == 1, 0);
    });
}

bool CVelquinDlg::OnProfileNotSaved(Message& message)
{
    std::string folder = ModulePath();
    folder.erase(folder.rfind('\\') + 1);
    ShowMessageBox(Handle(),
                   "Velquin cannot save its settings and history in " + folder + ":\n" +
                       SystemErrorText(static_cast<unsigned long>(message.wParam)) +
                       "\n\nIt goes on with what it read; what changes from now on is lost when it ends.",
                   "Velquin", MB_ICONEXCLAMATION);
    return true;
}

void CVelquinDlg::OnBrowse()
{
    const std::optional<std::string> path = BrowseForFile(Handle(), AppProfile());
    if (!path)
        return;
    browseButton_.SetButtonStyle(BS_PUSHBUTTON);
    historyBox_.SetEditText(QuoteIfBlank(*path));
    okButton_.Enable();
    clearButton_.Enable();
    addToPathBox_.Enable();
    addToPath_.Arm();
    addToPathBox_.SetCheck(addToPath_.Ticks());
    okButton_.Focus();
    okButton_.SetButtonStyle(BS_DEFPUSHBUTTON);
}

void CVelquinDlg::SuggestAsTyped(bool on, unsigned indexDelay)
{
    suggestions_.Turn(on, Handle(), rules_, [this] { OnOK(); }, indexDelay);
}
