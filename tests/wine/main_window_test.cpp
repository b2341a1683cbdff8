// The real main window in this process: each message reaches its rule, each command its action.
#include "TestSupport.h"

#include "framework/Handles.h"
#include "framework/Unicode.h"
#include "keys/WinRHook.h"
#include "paths/AppPaths.h"
#include "res/resource.h"
#include "settings/SettingsRecord.h"
#include "window/VelquinDlg.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>
#include <wtsapi32.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

// The real system, except that opening only records (once released, when a test holds it back) and the
// session is never ended.
class RecordingSystem : public ShellLaunchSystem {
public:
    std::vector<std::string> opened;
    bool allRemote = false;
    HANDLE release = nullptr;
    OpenResult Open(const OpenRequest& request) override
    {
        if (release)
            WaitForSingleObject(release, INFINITE);
        opened.push_back((request.elevated ? "as administrator: " : "") + request.program + request.parameters);
        return {42, 0};
    }
    unsigned long EndSession(unsigned, unsigned long) override { return 0; }
    bool IsOnNetwork(const std::string& path) override { return allRemote || ShellLaunchSystem::IsOnNetwork(path); }
    // Shortcuts read on the window's thread, which must never happen while the user moves through the list.
    DWORD windowThread = GetCurrentThreadId();
    std::atomic<int> shortcutsReadThere{0};
    std::string ShortcutTarget(const std::string& path) override
    {
        if (GetCurrentThreadId() == windowThread)
            ++shortcutsReadThere;
        return ShellLaunchSystem::ShortcutTarget(path);
    }
};

// The suggestions' sources held still, but for the user's own App Paths names; a folder listing waits for
// `release` when it is set, and the index for `indexRelease`.
class FixedSources : public ShellSuggestSystem {
public:
    HANDLE release = nullptr;
    HANDLE indexRelease = nullptr;
    std::atomic<int> indexed{0};
    IndexSources ReadIndexSources() override
    {
        if (indexRelease)
            WaitForSingleObject(indexRelease, INFINITE);
        ++indexed;
        IndexSources sources;
        sources.shortcuts = {{"C:\\Menu\\Visual Studio Code.lnk", "", false, false},
                             {"C:\\Menu\\Share Tool.lnk", "\\\\vqtestserver\\share\\tool.exe", true, false}};
        sources.appPaths = {{"vim.exe", "C:\\vim\\vim.exe"}};
        for (const std::string& name : ListAppPathNames(AppPathTable::User))
            sources.appPaths.push_back({name, std::string()});
        return sources;
    }
    FolderListing ListFolder(const std::string& folder) override
    {
        if (release)
            WaitForSingleObject(release, INFINITE);
        return ShellSuggestSystem::ListFolder(folder);
    }
};

// Windows as a copy run as administrator meets it: a message from a program of lower integrity (a restarted
// Explorer, a second start of a normal copy) reaches a window only where the window allowed it, and the
// session's changes reach only the window that watches them. Each allowance is recorded with whether the
// main window showed then.
class ElevatedDelivery : public MessageDelivery {
public:
    std::set<std::pair<HWND, UINT>> allowed;
    std::vector<std::tuple<HWND, UINT, bool>> asked;
    HWND watching = nullptr;
    bool AllowFromLowerIntegrity(HWND window, UINT message) override
    {
        allowed.insert({window, message});
        asked.emplace_back(window, message, IsWindowVisible(App::Current().MainWindow()) != FALSE);
        return true;
    }
    bool WatchSession(HWND window) override
    {
        watching = window;
        return true;
    }
    void StopWatchingSession(HWND window) override
    {
        if (window == watching)
            watching = nullptr;
    }
    // As sent from a program of lower integrity: false when Windows keeps it from the window.
    bool SendFromBelow(HWND window, UINT message)
    {
        if (!allowed.count({window, message}))
            return false;
        SendMessageW(window, message, 0, 0);
        return true;
    }
    bool SendSessionChange(HWND window, WPARAM change)
    {
        if (window != watching)
            return false;
        SendMessageW(window, WM_WTSSESSION_CHANGE, change, 0);
        return true;
    }
};

bool g_taskbarReady = false;
std::vector<std::string> g_iconCalls;  // "add 146", "delete 146", ... as the shell was asked

// The shell as at logon or while its taskbar restarts: it refuses icons until the taskbar is there.
BOOL WINAPI NotifyBeforeTheTaskbar(DWORD message, PNOTIFYICONDATAA data)
{
    const char* const calls[] = {"add ", "modify ", "delete "};
    g_iconCalls.push_back(calls[message % 3] + std::to_string(data->uID));
    return message != NIM_DELETE && !g_taskbarReady ? FALSE : Shell_NotifyIconA(message, data);
}

int g_maximizeCommands = 0;
WNDPROC g_dialogProc = nullptr;

LRESULT CALLBACK CountingMaximize(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == 32786)
        ++g_maximizeCommands;
    return CallWindowProcW(g_dialogProc, window, message, wParam, lParam);
}

int g_summons = 0;
WNDPROC g_summonedProc = nullptr;

LRESULT CALLBACK CountingSummons(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == RegisterWindowMessageA("Velquin: come forward"))
        ++g_summons;
    return CallWindowProcW(g_summonedProc, window, message, wParam, lParam);
}

WNDPROC g_boxProc = nullptr;

// Windows tells the dialog of an edit update when the program sets the box's text; Wine does not, so the
// box is made to, as on Windows.
LRESULT CALLBACK NotifyingBox(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CallWindowProcW(g_boxProc, box, message, wParam, lParam);
    if (message == WM_SETTEXT)
        SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_EDITUPDATE), (LPARAM)box);
    return result;
}

// The work area of the monitor the window is on, in screen coordinates.
RECT WorkArea(HWND window)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return monitor.rcWork;
}

std::string FolderShownBy(HWND fileDialog)
{
    wchar_t folder[MAX_PATH] = {};
    SendMessageW(fileDialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
    return Utf8(folder);
}

// A clean profile holding the first-run settings, for a test to change before the window opens.
class MainWindow : public ::testing::Test {
protected:
    TestApp app;
    HWND window = nullptr;

    void SetUp() override
    {
        SettingsRecord().LoadSettings(AppProfile());
        Set("Suggest", 0);  // the tests of the suggestions turn them on
        SetCursorPos(0, 0);  // away from the window: a mouse move over it runs the control rules
    }
    void Set(const char* name, int value) { AppProfile().WriteInt("Settings", name, value); }
    void History(std::initializer_list<const char*> newestFirst)
    {
        int position = 1;
        for (const char* text : newestFirst)
            AppProfile().WriteString("Velquin MRU", "File #" + std::to_string(position++), text);
    }
    HWND Box() const { return GetDlgItem(window, IDC_HISTORY_COMBO); }
    HWND Edit() const { return FindWindowExA(Box(), nullptr, "Edit", nullptr); }
    std::string Text() const { return WindowText(Box()); }
    bool Enabled(int id) const { return ::Enabled(window, id); }
    std::string Selection() const
    {
        DWORD start = 0, end = 0;
        SendMessageA(Box(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return Text() + " [" + std::to_string(start) + "," + std::to_string(end) + ")";
    }
    // Opens the window over the recording system (made here unless the test made it first), runs the
    // steps inside it, and ends it with Escape unless they end it.
    void Run(const std::function<void(UiScript&)>& steps, bool escape = true)
    {
        if (!dialog)
            dialog.emplace(&system);
        UiScript script;
        script.WaitForDialog("Velquin", &window);
        steps(script);
        if (escape)
            script.Then([this] { PressKey(Edit(), VK_ESCAPE); });
        EXPECT_EQ(dialog->DoModal(), IDCANCEL);
        EXPECT_TRUE(script.Finished());
        dialog.reset();
    }

    // The suggestion list's lines as another program reads them, "name<tab>source"; none while it is hidden.
    std::vector<std::string> Lines()
    {
        std::vector<std::string> lines;
        const HWND list = dialog->Suggestions().ListWindow();
        if (!list || !IsWindowVisible(GetParent(list)))
            return lines;
        for (int i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
            wchar_t line[300] = {};
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
            lines.push_back(Utf8(line));
        }
        return lines;
    }

    RecordingSystem system;
    FixedSources sources;
    std::optional<CVelquinDlg> dialog;
};

}  // namespace

TEST_F(MainWindow, OpensAtItsStoredPlaceWithTheNewestEntryUnlessClearedOrMinimisedAndClearedAsAsked)
{
    // The history state, the stored place, and Start Minimized with Clear History Automatically.
    const std::tuple<const char*, int, int, int> starts[] = {
        {"Not Cleared", 100, 80, 0}, {"Cleared", -1, 100000, 0}, {"Not Cleared", 0, 0, 0}, {"Not Cleared", 100, 80, 1}};
    std::vector<std::string> seen;  // the text, whether OK and Clear History are enabled, the place, the entries
    for (const auto& [state, left, top, minimisedAndCleared] : starts) {
        History({"\"C:\\My Files\\a.txt\" -x", "notepad"});
        AppProfile().WriteString("Settings", "Config", state);
        AppProfile().WriteInt("Window", "Left", left);
        AppProfile().WriteInt("Window", "Top", top);
        Set("StartMin", minimisedAndCleared);
        Set("ClearHistoryAuto", minimisedAndCleared);
        Run([&](UiScript& s) {
            s.Then([&] {
                RECT rect = {};
                GetWindowRect(window, &rect);
                const long centre = (GetSystemMetrics(SM_CXSCREEN) - rect.right + rect.left) / 2;
                const bool centred = std::abs(rect.left - centre) < 3;
                const RECT work = WorkArea(window);  // where the place is counted from
                const std::string at =
                    std::to_string(rect.left - work.left) + "," + std::to_string(rect.top - work.top);
                const std::string place = IsIconic(window) ? "minimised" : centred ? "centred" : at;
                const std::string enabled = std::to_string(Enabled(IDOK)) + std::to_string(Enabled(IDC_CLEAR_HISTORY));
                seen.push_back(Text() + " " + enabled + " " + place + " " +
                               std::to_string(SendMessageA(Box(), CB_GETCOUNT, 0, 0)));
            });
        });
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"\"C:\\My Files\\a.txt\" -x 11 100,80 2", " 00 centred 2",
                                              "\"C:\\My Files\\a.txt\" -x 11 0,0 2", " 00 minimised 0"}));
}

TEST_F(MainWindow, ClosedAndOpenedAgainItStandsWhereItStoodFlushWithTheWorkAreasCornerToo)
{
    AppProfile().WriteInt("Window", "Left", 0);
    AppProfile().WriteInt("Window", "Top", 0);
    std::vector<std::string> seen;  // where it opened on the screen, then what it stored
    const auto openAndClose = [&](int x, int y) {
        Run([&](UiScript& s) {
            s.Then([&] {
                 RECT rect = {};
                 GetWindowRect(window, &rect);
                 seen.push_back(std::to_string(rect.left) + "," + std::to_string(rect.top));
                 if (x >= 0)
                     SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
             }).Then([&] { PostMessageA(window, WM_CLOSE, 0, 0); });
        }, false);
        seen.push_back("stored " + std::to_string(AppProfile().ReadInt("Window", "Left", -1)) + "," +
                       std::to_string(AppProfile().ReadInt("Window", "Top", -1)));
    };
    openAndClose(-1, -1);
    const RECT work = WorkArea(GetDesktopWindow());
    const std::string corner = std::to_string(work.left) + "," + std::to_string(work.top);
    openAndClose(work.left + 130, work.top + 95);
    openAndClose(-1, -1);
    EXPECT_EQ(seen, (std::vector<std::string>{corner, "stored 0,0", corner, "stored 130,95",
                                              std::to_string(work.left + 130) + "," + std::to_string(work.top + 95),
                                              "stored 130,95"}));
}

TEST_F(MainWindow, TypingCompletesButTextTheProgramPutsThereNeverDoesAndCtrlShiftEnterRunsAsAdministrator)
{
    History({"notepad", "mspaint"});
    Set("HideOnSuccess", 0);
    std::vector<std::string> seen;
    const auto look = [&] { seen.push_back(Selection()); };
    Run([&](UiScript& s) {
        s.Then([&] {
            g_boxProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(Box(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NotifyingBox)));
            TypeText(Edit(), "n");
        });
        s.Then(look);
        s.Then([&] { SetWindowTextA(Box(), ""); });
        s.Then([&] { TypeText(Edit(), " no "); }).Then(look);
        s.Then([&] { PressKey(Edit(), VK_RETURN); }).Then(look);
        BYTE keys[256] = {};  // Ctrl and Shift held down, as this thread's keyboard state tells it
        keys[VK_CONTROL] = keys[VK_SHIFT] = 0x80;
        s.Then([&, keys]() mutable { SetKeyboardState(keys), PressKey(Edit(), VK_RETURN); }).Then([] {
            BYTE none[256] = {};
            SetKeyboardState(none);
        });
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"notepad [1,7)", " no  [4,4)", "no [0,2)"}));
    EXPECT_EQ(system.opened, (std::vector<std::string>{"no", "as administrator: no"}));
    EXPECT_EQ(AppProfile().ReadString("Velquin MRU", "File #1"), "no");
}

TEST_F(MainWindow, CtrlASelectsTheWholeTextAndCtrlBackspaceDeletesTheWordBeforeTheCaretFromTheKeyboard)
{
    History({"C:\\Tools\\notes.txt"});
    // Pressed on the keyboard as the user presses them, not posted: the modifiers are the system's own.
    const auto press = [](BYTE key) {
        for (const auto& [which, up] : {std::pair<BYTE, DWORD>{VK_CONTROL, 0}, {key, 0}, {key, KEYEVENTF_KEYUP},
                                        {VK_CONTROL, KEYEVENTF_KEYUP}})
            keybd_event(which, 0, up, 0);
    };
    std::vector<std::string> seen;
    const auto look = [&] { seen.push_back(Selection() + (Enabled(IDOK) ? " ok" : "")); };
    Run([&](UiScript& s) {
        s.Then([&] {
            SetForegroundWindow(window);
            SetWindowTextA(Box(), "");
            TypeText(Edit(), "C:\\T");
        });
        s.Then(look).Then([&] { press(VK_BACK); }).Then(look);
        s.Then([&] { TypeText(Edit(), "T"); }).Then(look);
        s.Then([&] { press('A'); }).Then(look).Then([&] { press(VK_BACK); }).Then(look);
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"C:\\Tools\\notes.txt [4,18) ok", "C:\\ [3,3) ok",
                                              "C:\\Tools\\notes.txt [4,18) ok", "C:\\Tools\\notes.txt [0,18) ok",
                                              " [0,0)"}));
}

TEST_F(MainWindow, TheListTheFocusTheMouseAndTheWorkersReachTheControlRulesAndTheWindowGoesOnMeanwhile)
{
    History({"C:\\windows"});
    AppProfile().WriteString("Settings", "Config", "Cleared");
    AppProfile().WriteInt("Settings", "AddToPath", 0);
    Set("HideOnSuccess", 0);
    const KernelHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    system.release = release.Get();  // the shell answers when the test says so
    std::vector<std::string> seen;
    const auto rules = [&] {  // "Add to my path" enabled, armed (for good, once armed); OK enabled
        seen.push_back(std::to_string(Enabled(IDC_ADD_TO_PATH)) +
                       std::to_string(dialog->AddToPathState().IsArmed()) + std::to_string(Enabled(IDOK)));
        EnableWindow(GetDlgItem(window, IDC_ADD_TO_PATH), FALSE);
        EnableWindow(GetDlgItem(window, IDOK), TRUE);
    };
    const auto notify = [&](WORD code) {
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_HISTORY_COMBO, code), reinterpret_cast<LPARAM>(Box()));
    };
    const auto launch = [&] {  // the cursor over the window, and the newest entry
        SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        seen.push_back(std::string(GetCursor() == LoadCursorA(nullptr, IDC_WAIT) ? "wait " : "arrow ") +
                       AppProfile().ReadString("Velquin MRU", "File #1"));
    };
    Run([&](UiScript& s) {
        s.Then([&] {
             SendMessageA(Box(), CB_SETCURSEL, 0, 0);
             notify(CBN_SELENDOK);
         }).Then(rules);
        s.Then([&] { notify(CBN_KILLFOCUS); }).Then(rules);
        s.Then([&] {
             SetWindowTextA(Box(), "");
             PostMessageA(window, WM_MOUSEMOVE, 0, 0);
         }).Then(rules);
        s.Then([&] {
             system.allRemote = true;  // every text goes to the workers: their answers must reach the window
             TypeText(Edit(), "C:\\windows");
         })
            .When([&] { return Enabled(IDC_ADD_TO_PATH); },
                  [&] { PostMessageA(GetDlgItem(window, IDC_ADD_TO_PATH), BM_CLICK, 0, 0); })
            .Then([&] {
                seen.push_back("stored " + std::to_string(AppProfile().ReadInt("Settings", "AddToPath", -1)));
                TypeText(Edit(), "\\");
            })
            .Then([&] {
                seen.push_back("ticked " + std::to_string(IsDlgButtonChecked(window, IDC_ADD_TO_PATH)));
                SetWindowTextA(Box(), "");
                TypeText(Edit(), "\\\\server\\share\\x.exe");
            })
            .Then([&] { PressKey(Edit(), VK_RETURN); })
            .Then(launch)  // this step runs at all: the window's thread is not waiting for the launch
            .Then([&] { SetEvent(release.Get()); })
            .When([&] { return AppProfile().ReadString("Velquin MRU", "File #1")[0] == '\\'; }, launch);
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"101", "111", "010", "stored 1", "ticked 1", "wait C:\\windows",
                                              "arrow \\\\server\\share\\x.exe"}));
    EXPECT_EQ(system.opened, std::vector<std::string>{"\\\\server\\share\\x.exe"});
}

TEST_F(MainWindow, TheTrayIconIsTriedAgainItsMouseWorksTheIconsFollowTheResolutionAndTheSessionsEndEndsIt)
{
    g_taskbarReady = true;
    g_iconCalls.clear();
    dialog.emplace(&system);
    dialog->Tray().SetNotifyFunction(NotifyBeforeTheTaskbar);
    std::vector<std::string> seen;  // after Minimise: with the icon, after the taskbar's restart, after Maximize
    const auto look = [&] {
        seen.push_back(!IsWindowVisible(window) ? "hidden" : IsIconic(window) ? "minimised" : "shown");
        ShowWindow(window, SW_RESTORE);
    };
    const auto mouse = [&](WPARAM icon, LPARAM message) {
        const CSystemTray& tray = dialog->Tray();
        PostMessageA(tray.HiddenWindow(), tray.NotifyData().uCallbackMessage, icon, message);
    };
    UINT defaultItem = 0;
    RECT suggested = {40, 50, 700, 300};
    INT_PTR answered = -1;
    ICONINFO small = {};
    Run([&](UiScript& s) {
        s.Then([&] { Click(window, IDC_MINIMIZE); }).Then(look);
        s.Then([&] {
             g_taskbarReady = false;  // the taskbar restarts, and is not ready when it says so
             SendMessageA(dialog->Tray().HiddenWindow(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
             Click(window, IDC_MINIMIZE);
         }).Then(look);
        // No second TaskbarCreated: the retry alone must add it.
        s.Then([&] { g_taskbarReady = true; }).When([&] { return dialog->Tray().IconAdded(); }, [&] {
            g_dialogProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingMaximize)));
            ShowWindow(window, SW_HIDE);
            mouse(7, WM_LBUTTONDBLCLK);  // another program's icon id
            mouse(146, WM_LBUTTONDBLCLK);
        });
        s.Then(look).Then([&] { mouse(146, WM_RBUTTONUP); });
        s.When([] { return FindWindowA("#32768", nullptr) != nullptr; }, [&] {
            const auto menu = reinterpret_cast<HMENU>(SendMessageA(FindWindowA("#32768", nullptr), 0x01E1, 0, 0));
            defaultItem = GetMenuDefaultItem(menu, FALSE, 0);  // MN_GETHMENU above
            EndMenu();
        });
        s.Then([&] {
            SetWindowPos(window, nullptr, 140, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            // The dialog's own procedure: an answer of TRUE would keep the dialog manager from rescaling.
            const auto procedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(window, DWLP_DLGPROC));
            answered = procedure(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
            const auto icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
            EXPECT_EQ(dialog->Tray().NotifyData().hIcon, icon) << "the tray's too";
            GetIconInfo(icon, &small);
            PostMessageA(window, WM_ENDSESSION, TRUE, 0);
        });
    }, false);
    BITMAP bitmap = {};
    GetObjectA(small.hbmColor, sizeof(bitmap), &bitmap);
    DeleteObject(small.hbmColor), DeleteObject(small.hbmMask);
    EXPECT_EQ(answered, FALSE);
    EXPECT_EQ(bitmap.bmWidth, 24) << "16 pixels at 96 dots per inch, half as large again at 144";
    EXPECT_EQ(AppProfile().ReadInt("Window", "Left", -1), 140) << "the session's end keeps the place";
    EXPECT_EQ(seen, (std::vector<std::string>{"hidden", "minimised", "shown"}));
    EXPECT_EQ(g_maximizeCommands, 1) << "one double click, one Maximize";
    EXPECT_EQ(defaultItem, 32786u) << "Ma&ximize";
    EXPECT_EQ(g_iconCalls.back(), "delete 146") << "the icon goes with the window";
}

TEST_F(MainWindow, RunAsAdministratorItHearsASecondStartFromItsFirstMomentAndARestartedTaskbar)
{
    ElevatedDelivery delivery;
    dialog.emplace(&system, nullptr, &delivery);
    g_taskbarReady = true;
    dialog->Tray().SetNotifyFunction(NotifyBeforeTheTaskbar);
    const UINT summon = RegisterWindowMessageA("Velquin: come forward");
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    std::set<std::string> allowed;  // on which window, which message, and whether the window showed then
    std::vector<std::string> seen;
    Run([&](UiScript& s) {
        s.Then([&] {
             const HWND tray = dialog->Tray().HiddenWindow();
             for (const auto& [to, message, shown] : delivery.asked)
                 allowed.insert(std::string(to == window ? "window " : to == tray ? "tray " : "another ") +
                                (message == summon           ? "summon"
                                 : message == taskbarCreated ? "TaskbarCreated"
                                                             : std::to_string(message)) +
                                (shown ? " when shown" : " before the window showed"));
             ShowWindow(window, SW_HIDE);
             seen.push_back(delivery.SendFromBelow(window, summon) ? "summon heard" : "summon held back");
         }).Then([&] {
            seen.push_back(IsWindowVisible(window) ? "shown" : "hidden");
            g_iconCalls.clear();  // the taskbar restarted
            const bool heard = delivery.SendFromBelow(dialog->Tray().HiddenWindow(), taskbarCreated);
            seen.push_back(heard ? "restart heard" : "restart held back");
            seen.push_back(g_iconCalls.empty() ? "no icon call" : g_iconCalls.front());
        });
    });
    EXPECT_EQ(allowed, (std::set<std::string>{"window summon before the window showed",
                                              "tray TaskbarCreated before the window showed"}));
    EXPECT_EQ(seen, (std::vector<std::string>{"summon heard", "shown", "restart heard", "add 146"}));
}

TEST_F(MainWindow, TheHotKeyAndWinRBringTheWindowForwardAndPreferencesSayWhenAnotherProgramHoldsTheKeys)
{
    Set("WinR", 1);
    ASSERT_TRUE(RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT, 'Q'));  // another program's keys
    std::vector<std::string> seen;  // after each hotkey and Win+R: shown, and whether the box has the focus
    const auto look = [&] {
        seen.push_back(std::to_string(IsWindowVisible(window)) + std::to_string(GetFocus() == Edit()));
    };
    MessageBoxSeen inUse;
    HWND preferences = nullptr;
    Run([&](UiScript& s) {
        s.Then([&] {
             seen.push_back(RegisterHotKey(nullptr, 8, MOD_CONTROL | MOD_ALT, 'R') ? "free" : "taken");
             ShowWindow(window, SW_HIDE);
             PostMessageA(window, WM_HOTKEY, 1, 0);
         }).Then(look);
        s.Then([&] { PostMessageA(window, WM_HOTKEY, 1, 0); }).Then(look);
        s.Then([&] {  // Win+R, as the keyboard sends it
             for (const auto& [key, up] :
                  {std::pair{VK_LWIN, 0}, {'R', 0}, {'R', KEYEVENTF_KEYUP}, {VK_LWIN, KEYEVENTF_KEYUP}})
                 keybd_event(static_cast<BYTE>(key), 0, static_cast<DWORD>(up), 0);
         }).When([&] { return IsWindowVisible(window) != FALSE; }, look);
        s.Then([&] { Click(window, IDC_OPTIONS); })
            .WaitForDialog("Preferences", &preferences)
            .Then([&] {
                SendDlgItemMessageA(preferences, 1093, HKM_SETHOTKEY, 0x0651, 0);  // Ctrl+Alt+Q
                Click(preferences, IDOK);
            })
            .AnswerMessageBox(&inUse, IDOK);
    });
    UnregisterHotKey(nullptr, 7);
    EXPECT_EQ(seen, (std::vector<std::string>{"taken", "11", "00", "11"}));
    EXPECT_EQ(inUse.summary, "Velquin | Another program already uses Ctrl+Alt+Q.  Velquin keeps it as its hotkey and "
                             "tries it again the next time it starts. | warning | OK | OK");
    EXPECT_EQ(AppProfile().ReadInt("Settings", "HotKey", 0), 0x0651);
}

TEST_F(MainWindow, WinRIsSetAnewAtAResumeAndAnUnlockAndAnRHeldDownMeanwhileTypesNothing)
{
    Set("WinR", 1);
    // The longest keyboard delay, which the hook reads as it starts: on a busy machine the steps between the R's
    // press and its repeats stay within a repeat's reach.
    struct LongestKeyboardDelay {
        int before = 1;
        LongestKeyboardDelay()
        {
            SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &before, 0);
            SystemParametersInfoW(SPI_SETKEYBOARDDELAY, 3, nullptr, 0);
        }
        ~LongestKeyboardDelay() { SystemParametersInfoW(SPI_SETKEYBOARDDELAY, static_cast<UINT>(before), nullptr, 0); }
    } delay;
    ElevatedDelivery delivery;  // the session's changes reach the window only while it watches them
    dialog.emplace(&system, nullptr, &delivery);
    const auto press = [](std::initializer_list<std::pair<BYTE, DWORD>> keys) {
        for (const auto& [key, up] : keys)
            keybd_event(key, 0, up, 0);
    };
    // The window stays in front throughout: under Wine a change of the focus may forget a Win key that only
    // keybd_event pressed. Win+R is seen as the summons it sends; the renewals are counted from the hook's start.
    unsigned started = 0;
    const auto renewals = [&](unsigned count) {
        return [&, count] { return WinRHook::Renewals() == started + count; };
    };
    const auto summoned = [&](int count) { return [count] { return g_summons == count; }; };
    std::vector<std::string> seen;
    Run([&](UiScript& s) {
        s.When([&] { return delivery.watching == window; }, [&] {
            started = WinRHook::Renewals();
            g_summons = 0;
            g_summonedProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingSummons)));
        });
        // Win+R, Win let go first: the R stays down while the machine resumes.
        s.Then([&] { press({{VK_LWIN, 0}, {'R', 0}, {VK_LWIN, KEYEVENTF_KEYUP}}); });
        s.When(summoned(1), [&] { PostMessageA(window, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0); })
            .When(renewals(1), [&] { press({{'R', 0}, {'R', 0}, {'R', 0}, {'R', KEYEVENTF_KEYUP}}); })
            .Then([&] {
                seen.push_back("typed [" + Text() + "]");
                const bool heard = delivery.SendSessionChange(window, WTS_SESSION_UNLOCK);
                seen.push_back(heard ? "unlock heard" : "unlock unheard");
            })
            .When(renewals(2), [&] {
                press({{VK_LWIN, 0}, {'R', 0}, {'R', KEYEVENTF_KEYUP}, {VK_LWIN, KEYEVENTF_KEYUP}});
            })
            .When(summoned(2), [&] { seen.push_back("opened again"); });
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"typed []", "unlock heard", "opened again"}));
    EXPECT_EQ(delivery.watching, nullptr) << "the window stopped watching before it went";
}

TEST_F(MainWindow, BrowseStartsInTheRememberedFilesFolderOrOnTheDesktopWithTheRememberedTypeAndRemembersThePick)
{
    const RecorderCopy program("Velquin Browse", "a b.exe");  // a program to pick, in a folder of its own
    const std::string& picked = program.program;
    char desktop[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE);
    AppProfile().WriteInt("Folders", "Filter", 3);  // Images
    std::vector<std::string> startedIn;
    HWND browse = nullptr;
    char before[MAX_PATH] = {}, after[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, before);
    Run([&](UiScript& s) {
        s.Then([&] { Click(window, IDC_BROWSE); })
            .WaitForDialog("Browse", &browse)
            .Then([&] {
                startedIn.push_back(FolderShownBy(browse) + " " +
                                    std::to_string(SendDlgItemMessageA(browse, 0x470, CB_GETCURSEL, 0, 0)));
                SetDlgItemTextA(browse, GetDlgItem(browse, 0x47c) ? 0x47c : 0x480, picked.c_str());
                Click(browse, IDOK);
            })
            .When([] { return FindThreadDialog("Browse") == nullptr; }, [&] {
                const HWND ok = GetDlgItem(window, IDOK);
                EXPECT_TRUE(GetFocus() == ok && (GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                    << "Enter now confirms the pick";
                Click(window, IDC_BROWSE);
            })
            .WaitForDialog("Browse", &browse)
            .Then([&] {
                startedIn.push_back(FolderShownBy(browse));
                Click(browse, IDCANCEL);
            })
            .When([] { return FindThreadDialog("Browse") == nullptr; },
                  [&] { EXPECT_EQ(Text(), "\"" + picked + "\"") << "a path with a blank, quoted"; });
    });
    EXPECT_EQ(startedIn, (std::vector<std::string>{desktop + std::string(" 2"), program.folder}));
    EXPECT_EQ(AppProfile().ReadString("Folders", "File"), picked);
    EXPECT_EQ(AppProfile().ReadInt("Folders", "Filter", 0), 3);
    GetCurrentDirectoryA(MAX_PATH, after);  // the dialogs move it while they are open
    EXPECT_STREQ(after, before) << "a planted program in the browsed folder would run instead of the system's";
}

TEST_F(MainWindow, MenuCommandsReachTheirActionsOneDialogAtATimeAndTheCloseBoxStoresThePlace)
{
    Set("HideOnSuccess", 0);
    const std::pair<int, const char*> commands[] = {
        {32810, "open notepad"},           {32830, "open regedit"},
        {32834, "open C:\\windows\\system32"}, {32829, "open C:\\windows"},
        {32809, "open winwordReadme.doc"},
        {32801, "dialog Path Editor"},     {32804, "dialog Path Editor"},
        {32799, "dialog Preferences"},     {32791, "dialog Preferences"},
        {32840, "dialog Velquin History"}, {32780, "dialog About Velquin..."},
        {32789, "dialog About Velquin..."}, {32837, "message Are you sure you want to log off?"},
        {32790, "message This action will delete all items in your history folder.  Do you wish to continue?"},
        {32838, "message Run history has been added to your history folder."},
        {32841, "message There is no item to open."},
    };
    std::vector<std::string> seen;
    Run([&](UiScript& s) {
        for (const auto& command : commands) {
            s.Then([&, id = command.first] { PostMessageA(window, WM_COMMAND, id, 0); }).Then([&] {
                // At the next tick: inside the dialog or message box the command opened, if any.
                HWND opened = FindThreadWindow([&](HWND w) { return w != window && ClassOf(w) == "#32770"; });
                if (!opened) {
                    seen.push_back("open " + (system.opened.empty() ? "" : system.opened.back()));
                } else if (IsMessageBox(opened)) {
                    const MessageBoxSeen message = ReadMessageBox(opened);
                    seen.push_back("message " + message.text);
                    Click(opened, message.buttonCount > 1 ? IDNO : IDOK);
                } else {
                    seen.push_back("dialog " + WindowText(opened));
                    PostMessageA(window, WM_COMMAND, 32799, 0);  // Preferences: ignored while a dialog runs
                    PostMessageA(opened, WM_COMMAND, IDCANCEL, 0);
                }
            });
            s.When([&] { return IsWindowEnabled(window) != FALSE; }, [] {});  // the modal child has gone
        }
        s.Then([&] { ShowWindow(window, SW_RESTORE); }).Then([&] {
            SetWindowPos(window, nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            PostMessageA(window, WM_CLOSE, 0, 0);
        });
    }, false);
    std::vector<std::string> expected;
    for (const auto& command : commands)
        expected.push_back(command.second);
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(AppProfile().ReadInt("Window", "Left", -1), 120);
    EXPECT_EQ(AppProfile().ReadInt("Window", "Top", -1), 90);
}

TEST_F(MainWindow, SuggestionsFollowTheTypingAndTheListTakesItsKeysWhileItShows)
{
    History({"vim --x", "notes"});
    Set("Suggest", 1);
    Set("HideOnSuccess", 0);
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::string folder = Utf8(temp) + "Velquin \xC3\xBC\\";  // "Velquin ü"
    CreateDirectoryW(Wide(folder).c_str(), nullptr);
    CreateDirectoryW(Wide(folder + "\xC3\x84rger").c_str(), nullptr);  // "Ärger"
    CloseHandle(CreateFileW(Wide(folder + "\xC3\xA4pfel.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                            nullptr));
    BYTE shift[256] = {}, none[256] = {};
    shift[VK_SHIFT] = 0x80;
    std::vector<std::string> seen;
    const auto look = [&] {
        std::string shown = Text();
        for (const std::string& line : Lines())
            shown += " | " + line;
        seen.push_back(shown);
    };
    const auto retype = [&](const std::string& text) {
        SetWindowTextA(Box(), "");
        TypeText(Edit(), text);
    };
    dialog.emplace(&system, &sources);
    Run([&](UiScript& s) {
        // The history alone at first; the index joins it when it is ready.
        s.Then([&] { TypeText(Edit(), "v"); }).When([&] { return Lines().size() == 3; }, look);
        s.Then([&] { PressKey(Edit(), VK_DOWN); }).Then([&] { PressKey(Edit(), VK_DOWN); }).Then(look);
        s.Then([&] { PressKey(Edit(), VK_UP); }).Then([&] { PressKey(Edit(), VK_UP); }).Then(look);
        s.Then([&] { PressKey(Edit(), VK_DOWN); }).Then([&] { PressKey(Edit(), VK_RETURN); }).Then(look);
        // Shift+Delete on a line neither of the history nor learnt hides it; the next line takes its place.
        s.Then([&] { retype("v"); }).When([&] { return Lines().size() == 3; }, [&] { PressKey(Edit(), VK_DOWN); });
        s.Then([&] { PressKey(Edit(), VK_DOWN); }).Then([&] {
            SetKeyboardState(shift);
            PressKey(Edit(), VK_DELETE);
        });
        s.Then([&] { SetKeyboardState(none); }).Then(look);
        s.Then([&] { retype("no"); }).Then([&] { PressKey(Edit(), VK_ESCAPE); }).Then(look);
        s.Then([&] { TypeText(Edit(), "t"); }).Then([&] { PressKey(Edit(), VK_DOWN); }).Then([&] {
            SetKeyboardState(shift);
            PressKey(Edit(), VK_DELETE);
        });
        s.Then([&] { SetKeyboardState(none); }).Then(look);
        s.Then([&] { retype(folder + "\xC3\xA4"); }).When([&] { return Lines().size() == 2; }, look);
        s.Then([&] { PressKey(Edit(), VK_DOWN); }).Then(look).Then([&] { PressKey(Edit(), VK_ESCAPE); });
    });
    const std::string shown = folder.substr(0, folder.size() - 1);
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "vim --x | vim --x\tHistory | Visual Studio Code\tStart menu | vim\tApp Paths",
                        "\"C:\\Menu\\Visual Studio Code.lnk\" | vim --x\tHistory | Visual Studio Code\tStart menu | "
                        "vim\tApp Paths",
                        "v | vim --x\tHistory | Visual Studio Code\tStart menu | vim\tApp Paths",
                        "vim --x",
                        "vim | vim --x\tHistory | vim\tApp Paths",
                        "notes",  // Esc closed the list only: the completion stays
                        "not",
                        folder + "\xC3\xA4 | " + folder + "\xC3\x84rger\\\tFolder | " + folder + "\xC3\xA4pfel.txt\tFile",
                        folder + "\xC3\x84rger\\ | " + folder + "\xC3\x84rger\\\tFolder | " + folder +
                            "\xC3\xA4pfel.txt\tFile",
                    }));
    EXPECT_EQ(system.opened, std::vector<std::string>{"vim --x"});
    EXPECT_EQ(AppProfile().ReadString("Velquin MRU", "File #1"), "vim --x");
    EXPECT_EQ(AppProfile().ReadString("Velquin MRU", "File #2"), "");  // "notes" removed with Shift+Delete
}

TEST_F(MainWindow, APickTeachesTheListForGoodShiftDeleteForgetsThenHidesAndPreferencesAndClearHistoryUndoThem)
{
    Set("Suggest", 1);
    Set("HideOnSuccess", 0);
    std::vector<std::string> seen;
    const auto look = [&] {
        std::string shown;
        for (const std::string& line : Lines())
            shown += (shown.empty() ? "" : " | ") + line;
        seen.push_back(shown);
    };
    const auto retype = [&](const std::string& text) {
        SetWindowTextA(Box(), "");
        TypeText(Edit(), text);
    };
    const auto listed = [&](std::size_t count) { return [this, count] { return Lines().size() == count; }; };
    const auto shiftDelete = [&] {
        BYTE keys[256] = {};
        keys[VK_SHIFT] = 0x80;
        SetKeyboardState(keys);
        PressKey(Edit(), VK_DELETE);
    };
    const auto releaseShift = [] {
        BYTE keys[256] = {};
        SetKeyboardState(keys);
    };
    dialog.emplace(&system, &sources);
    Run([&](UiScript& s) {
        // vim picked from the list for "v"; then "vim --x", typed whole, is the newest entry.
        s.Then([&] { TypeText(Edit(), "v"); }).When(listed(2), look);
        s.Then([&] { PressKey(Edit(), VK_DOWN); }).Then([&] { PressKey(Edit(), VK_DOWN); });
        s.Then([&] { PressKey(Edit(), VK_RETURN); });
        s.Then([&] { retype("vim --x"); }).Then([&] { PressKey(Edit(), VK_RETURN); });
        s.Then([&] { retype("v"); }).When(listed(3), look).Then([&] { PressKey(Edit(), VK_ESCAPE); });
    });
    const std::string record = AppProfile().ReadString("Learning", "Record #1");
    EXPECT_EQ(record.substr(0, record.find('\t', 2)), "V\tVIM");

    dialog.emplace(&system, &sources);
    HWND preferences = nullptr;
    MessageBoxSeen clear;
    Run([&](UiScript& s) {
        s.Then([&] { retype("v"); }).When(listed(3), look);
        // Learnt and of the history: forgotten, and offered still by App Paths; then hidden.
        s.Then([&] { PressKey(Edit(), VK_DOWN); }).Then(shiftDelete).Then(releaseShift).Then(look);
        s.Then(shiftDelete).Then(releaseShift).Then(look).Then([&] { PressKey(Edit(), VK_ESCAPE); });
        s.Then([&] { Click(window, IDC_OPTIONS); }).WaitForDialog("Preferences", &preferences).Then([&] {
            seen.push_back("Show hidden suggestions: " + std::to_string(::Enabled(preferences, 1045)));
            Click(preferences, 1045);
        });
        s.Then([&] {
            seen.push_back("Show hidden suggestions: " + std::to_string(::Enabled(preferences, 1045)));
            Click(preferences, IDOK);
        });
        s.Then([&] { retype("v"); }).When(listed(3), look).Then([&] { PressKey(Edit(), VK_ESCAPE); });
        s.Then([&] { Click(window, IDC_CLEAR_HISTORY); }).AnswerMessageBox(&clear, IDYES);
        s.Then([&] { retype("v"); }).When(listed(2), look).Then([&] { PressKey(Edit(), VK_ESCAPE); });
    });
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "Visual Studio Code\tStart menu | vim\tApp Paths",
                        // Without the learning, the newest entry would come first.
                        "vim\tHistory | vim --x\tHistory | Visual Studio Code\tStart menu",
                        "vim\tHistory | vim --x\tHistory | Visual Studio Code\tStart menu",
                        "vim --x\tHistory | Visual Studio Code\tStart menu | vim\tApp Paths",
                        "vim --x\tHistory | Visual Studio Code\tStart menu",
                        "Show hidden suggestions: 1",
                        "Show hidden suggestions: 0",
                        "vim --x\tHistory | Visual Studio Code\tStart menu | vim\tApp Paths",
                        "Visual Studio Code\tStart menu | vim\tApp Paths",
                    }));
    EXPECT_EQ(system.opened, (std::vector<std::string>{"vim", "vim --x"}));
    EXPECT_TRUE(AppProfile().ValueNames("Learning").empty() && AppProfile().ValueNames("Hidden").empty());
}

TEST_F(MainWindow, AliasesAreMadeInTheirDialogsRefusedWhenBadAndUsedFromTheBox)
{
    Set("Suggest", 1);
    Set("HideOnSuccess", 0);
    HWND aliases = nullptr, alias = nullptr;
    MessageBoxSeen refused, replace, removal;
    std::vector<std::string> seen;
    const auto fields = [&](const char* keyword, const char* aliasTemplate) {
        SetDlgItemTextA(alias, 1099, keyword);
        SetDlgItemTextA(alias, 1100, aliasTemplate);
        Click(alias, IDOK);
    };
    const auto listed = [&] {
        std::string lines;
        for (int i = 0; i < SendDlgItemMessageA(aliases, 1095, LB_GETCOUNT, 0, 0); ++i) {
            char line[300] = {};
            SendDlgItemMessageA(aliases, 1095, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
            lines += std::string(lines.empty() ? "" : " | ") + line;
        }
        seen.push_back(lines);
    };
    dialog.emplace(&system, &sources);
    Run([&](UiScript& s) {
        s.Then([&] { PostMessageA(window, WM_COMMAND, 32842, 0); }).WaitForDialog("Aliases", &aliases);
        s.Then([&] { Click(aliases, 1096); }).WaitForDialog("Alias", &alias);
        s.Then([&] { fields("a b", "x"); }).AnswerMessageBox(&refused, IDOK);
        s.Then([&] { fields("np", "notepad.exe {1}"); }).When([&] { return !IsWindow(alias); }, listed);
        s.Then([&] { Click(aliases, 1096); }).WaitForDialog("Alias", &alias);
        s.Then([&] { fields("g", "https://example.com/?q={*}"); }).When([&] { return !IsWindow(alias); }, listed);
        // Another spelling of a keyword that exists asks first; No keeps the dialog open.
        s.Then([&] { Click(aliases, 1096); }).WaitForDialog("Alias", &alias);
        s.Then([&] { fields("NP", "x"); }).AnswerMessageBox(&replace, IDNO);
        s.Then([&] { seen.push_back(IsWindowVisible(alias) ? "still open" : "closed"); });
        s.Then([&] { Click(alias, IDCANCEL); });
        s.Then([&] { SendDlgItemMessageA(aliases, 1095, LB_SETCURSEL, 0, 0); Click(aliases, 1098); })
            .AnswerMessageBox(&removal, IDYES);
        s.Then(listed).Then([&] { Click(aliases, IDCANCEL); });
        s.Then([&] {
             SetWindowTextA(Box(), "");
             TypeText(Edit(), "np \"my file.txt\"");
         }).When([&] { return !Lines().empty(); }, [&] { seen.push_back(Lines().front()); });
        s.Then([&] { PressKey(Edit(), VK_RETURN); });
    });
    EXPECT_EQ(refused.summary, "Alias | A keyword cannot hold a blank. | warning | OK | OK");
    EXPECT_EQ(replace.summary,
              "Alias | An alias \"np\" exists already.  Do you want to replace it? | question | &Yes &No | &No");
    EXPECT_EQ(removal.summary, "Aliases | Remove the alias \"g\"? | question | &Yes &No | &No");
    EXPECT_EQ(seen, (std::vector<std::string>{"np\tnotepad.exe {1}", "g\thttps://example.com/?q={*} | np\tnotepad.exe {1}",
                                              "still open", "np\tnotepad.exe {1}",
                                              "np: notepad.exe \"my file.txt\"\tAlias"}));
    EXPECT_EQ(system.opened, std::vector<std::string>{"notepad.exe \"my file.txt\""});
    EXPECT_EQ(AppProfile().ReadString("Velquin MRU", "File #1"), "np \"my file.txt\"");
}

TEST_F(MainWindow, AnotherProgramsWindowIsOfferedByItsProgramEnterBringsItForwardAndShiftEnterStartsItAnew)
{
    Set("Suggest", 1);
    Set("HideOnSuccess", 0);
    const char* holder = std::getenv("VELQUIN_HOLDER");
    ASSERT_TRUE(holder);
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring command = L"\"" + std::wstring(Wide(holder).c_str()) + L"\" \"" + temp + L"velquin_holder.txt\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
    const KernelHandle process(started.hProcess), thread(started.hThread);
    wchar_t image[MAX_PATH] = {};
    DWORD imageLength = MAX_PATH;
    QueryFullProcessImageNameW(process.Get(), 0, image, &imageLength);
    const std::string program = Utf8(image);
    HWND other = nullptr;
    for (int wait = 0; wait < 100 && !other; ++wait, Sleep(50))
        other = FindWindowW(L"VelquinSessionHolder", nullptr);
    ASSERT_TRUE(other);
    ShowWindow(other, SW_MINIMIZE);
    std::vector<std::string> seen;
    const auto offered = [&] { return !Lines().empty() && Lines().front() == "Velquin session holder\tWindow"; };
    BYTE shift[256] = {}, none[256] = {};
    shift[VK_SHIFT] = 0x80;
    int ticks = 0;
    dialog.emplace(&system, &sources);
    Run([&](UiScript& s) {
        // Matched by its program's name, "session_holder.exe", which its title does not hold.
        s.Then([&] { TypeText(Edit(), "session_h"); }).When(offered, [&] { PressKey(Edit(), VK_DOWN); });
        s.Then([&] { seen.push_back(Text()); }).Then([&] { PressKey(Edit(), VK_RETURN); });
        // Under Wine the foreground follows the display server's answer: a little time is given.
        s.When([&] { return !IsIconic(other) && (GetForegroundWindow() == other || ++ticks > 100); },
               [&] { seen.push_back(GetForegroundWindow() == other ? "front" : "behind"); });
        // Velquin's own windows are never offered.
        s.Then([&] { SetWindowTextA(Box(), ""); TypeText(Edit(), "velq"); }).When(offered, [&] {
            for (const std::string& line : Lines())
                seen.push_back(line);
        });
        s.Then([&] { PressKey(Edit(), VK_DOWN); }).Then([&] {
            SetKeyboardState(shift);
            PressKey(Edit(), VK_RETURN);
        });
        s.Then([&] { SetKeyboardState(none); }).Then([&] { ShowWindow(window, SW_SHOW); });
    });
    TerminateProcess(process.Get(), 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"Velquin session holder", "front", "Velquin session holder\tWindow"}));
    ASSERT_EQ(system.opened.size(), 1u) << "a switch starts nothing";
    EXPECT_EQ(system.opened[0], program) << "Shift+Enter: its program anew";
    const std::string learnt = AppProfile().ReadString("Learning", "Record #1");
    EXPECT_EQ(learnt.substr(0, learnt.find('\t', 10)), "SESSION_H\tWINDOW:" + FoldCase(program)) << "the switch";
    EXPECT_EQ(AppProfile().ReadString("Velquin MRU", "File #1"), program);
}

TEST_F(MainWindow, AFolderThatTakesLongToListLeavesTheWindowAnsweringTheIndexFollowsAppPathsAndTheSettingTurnsItOff)
{
    CleanTestAppPaths();
    const KernelHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    sources.release = release.Get();
    Set("Suggest", 1);
    std::vector<std::string> seen;
    dialog.emplace(&system, &sources);
    Run([&](UiScript& s) {
        s.Then([&] { TypeText(Edit(), "C:\\windows\\system3"); })
            .Then([&] { TypeText(Edit(), "2"); })  // the window's thread goes on while the worker waits
            .Then([&] {
                seen.push_back(Text() + " " + std::to_string(Lines().size()));
                SetEvent(release.Get());
            })
            .When([&] { return !Lines().empty(); }, [&] { seen.push_back(Lines()[0]); })
            .Then([&] { PressKey(Edit(), VK_ESCAPE); });
        // A new App Paths entry reaches the index, and the list, without a key.
        s.Then([&] {
             SetWindowTextA(Box(), "");
             TypeText(Edit(), "vqtestfr");
         })
            .Then([&] {
                seen.push_back(std::to_string(Lines().size()));
                WriteAppPathEntry({"VqTestFresh.exe", "C:\\x.exe", ""}, AppPathTable::User);
            })
            .When([&] { return !Lines().empty(); }, [&] { seen.push_back(Lines()[0]); })
            .Then([&] { PressKey(Edit(), VK_ESCAPE); });
    });
    CleanTestAppPaths();
    Set("Suggest", 0);
    dialog.emplace(&system, &sources);
    Run([&](UiScript& s) {
        s.Then([&] { TypeText(Edit(), "C:\\windows\\system3"); }).Then([&] {
            seen.push_back(std::to_string(dialog->Suggestions().Enabled()) +
                           std::to_string(dialog->Suggestions().ListWindow() != nullptr));
        });
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"C:\\windows\\system32 0", "C:\\windows\\system32\\\tFolder", "0",
                                              "VqTestFresh\tApp Paths", "00"}));
}


namespace {

// The process's environment as it is, to be put back whole.
std::vector<WideString> EnvironmentNow()
{
    std::vector<WideString> variables;
    wchar_t* block = GetEnvironmentStringsW();
    for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1)
        variables.emplace_back(entry);
    FreeEnvironmentStringsW(block);
    return variables;
}

void PutBack(const std::vector<WideString>& variables)
{
    for (const WideString& entry : EnvironmentNow()) {
        const std::size_t equals = entry.find(L'=', 1);
        SetEnvironmentVariableW(entry.substr(0, equals).c_str(), nullptr);
    }
    for (const WideString& entry : variables) {
        const std::size_t equals = entry.find(L'=', 1);
        SetEnvironmentVariableW(entry.substr(0, equals).c_str(), entry.substr(equals + 1).c_str());
    }
}

std::string Variable(const wchar_t* name)
{
    wchar_t value[32767] = {};
    return GetEnvironmentVariableW(name, value, 32767) ? Utf8(value) : "(none)";
}

}  // namespace

TEST_F(MainWindow, AChangeOfTheUsersVariablesMakesTheEnvironmentAgainAsALogonWouldAndPathReachesTheLines)
{
    const std::vector<WideString> before = EnvironmentNow();
    const wchar_t* machine = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
    // What a logon gave this process: the user's variable; the machine's key names SYSTEM as Windows' does.
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, machine, L"USERNAME", REG_SZ, L"SYSTEM", 14);
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Environment", L"VQTESTGONE", REG_SZ, L"here", 10);
    SetEnvironmentVariableW(L"VQTESTGONE", L"here");
    const std::string user = Variable(L"USERNAME"), prefix = Variable(L"WINEPREFIX");
    // A folder an installer puts on the machine's PATH, with a program in it. (Wine 8 makes a logon's PATH of
    // the machine's alone: the user's own is read, but not added.)
    const std::string bin = TempPath("Velquin Path");
    CreateDirectoryW(Wide(bin).c_str(), nullptr);
    CloseHandle(CreateFileW(Wide(bin + "\\vqtestpathtool.exe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                            nullptr));
    WideString path(32767, L'\0');
    DWORD size = 32767 * 2, type = 0;
    RegGetValueW(HKEY_LOCAL_MACHINE, machine, L"PATH", RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, &type,
                 path.data(), &size);
    path.resize(wcslen(path.c_str()));
    Set("HideOnSuccess", 0);
    std::vector<std::string> seen;
    const auto broadcast = [&] { SendMessageW(window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment")); };
    // With the suggestions off as well.
    Run([&](UiScript& s) {
        s.When([&] { return dialog->Environment().Noted(); }, [&] {
             RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Environment", L"VQTESTGONE");
             broadcast();
         })
            .When([&] { return Variable(L"VQTESTGONE") == "(none)"; }, [&] {
                seen.push_back(Variable(L"USERNAME") == user ? "the user's name" : Variable(L"USERNAME"));
                seen.push_back(Variable(L"WINEPREFIX") == prefix ? "the prefix kept" : "the prefix lost");
                TypeText(Edit(), "vqtestrun %USERNAME% %VQTESTGONE%");
            })
            .Then([&] { PressKey(Edit(), VK_RETURN); })
            .When([&] { return !system.opened.empty(); }, [] {});
    });
    Set("Suggest", 1);
    dialog.emplace(&system);  // the real sources: PATH as the process has it
    Run([&](UiScript& s) {
        s.When([&] { return dialog->Environment().Noted(); }, [&] {
             SetWindowTextA(Box(), "");  // it shows the text launched before
             TypeText(Edit(), "vqtestpath");
             const WideString added = path + L";" + Wide(bin);
             RegSetKeyValueW(HKEY_LOCAL_MACHINE, machine, L"PATH", type, added.c_str(),
                             static_cast<DWORD>((added.size() + 1) * 2));
         })
            .When([&] { return Lines().empty(); }, broadcast)
            .When([&] { return !Lines().empty(); }, [&] { seen.push_back(Lines()[0]); })
            .Then([&] { PressKey(Edit(), VK_ESCAPE); });  // the list closes first
    });
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, machine, L"PATH", type, path.c_str(), static_cast<DWORD>((path.size() + 1) * 2));
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, machine, L"USERNAME");
    PutBack(before);
    DeleteFileW(Wide(bin + "\\vqtestpathtool.exe").c_str());
    RemoveDirectoryW(Wide(bin).c_str());
    EXPECT_EQ(seen, (std::vector<std::string>{"the user's name", "the prefix kept", "vqtestpathtool\tPATH"}));
    EXPECT_EQ(system.opened, std::vector<std::string>{"vqtestrun " + user + " %VQTESTGONE%"});
}

TEST_F(MainWindow, TheListsPageKeysClicksAndShortcutLinesNeverReadAShortcutOnTheWindowsThread)
{
    History({"vim --x"});
    Set("Suggest", 1);
    Set("HideOnSuccess", 0);
    std::vector<std::string> seen;
    const auto look = [&] { seen.push_back(Text() + " " + std::to_string(Lines().size())); };
    const auto click = [&](int line, UINT message) {
        const HWND list = dialog->Suggestions().ListWindow();
        RECT r = {};
        SendMessageW(list, LB_GETITEMRECT, line, reinterpret_cast<LPARAM>(&r));
        PostMessageW(list, message, MK_LBUTTON, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    };
    const auto retype = [&](const char* text) {
        SetWindowTextA(Box(), "");
        TypeText(Edit(), text);
    };
    dialog.emplace(&system, &sources);
    Run([&](UiScript& s) {
        s.Then([&] { TypeText(Edit(), "v"); }).When([&] { return Lines().size() == 3; }, look);
        // Page Down from the box reaches the last line; Page Up from a line goes a page back, then to the box.
        s.Then([&] { PressKey(Edit(), VK_NEXT); }).Then(look);
        s.Then([&] { PressKey(Edit(), VK_PRIOR); }).Then(look);
        s.Then([&] { PressKey(Edit(), VK_PRIOR); }).Then(look);
        // Onto a shortcut's line: the index knows it has no file target.
        s.Then([&] { PressKey(Edit(), VK_DOWN); }).Then([&] { PressKey(Edit(), VK_DOWN); }).Then(look);
        // A shortcut to a share: looked at on the worker.
        s.Then([&] { retype("sh"); }).When([&] { return Lines().size() == 1; }, [&] { PressKey(Edit(), VK_DOWN); });
        s.Then(look).Then([&] { PressKey(Edit(), VK_ESCAPE); });
        // A click fills the box and the list closes once no double click can follow; a double click launches.
        s.Then([&] { retype("v"); }).When([&] { return Lines().size() == 3; }, [&] { click(2, WM_LBUTTONDOWN); });
        s.Then(look).When([&] { return Lines().empty(); }, look);
        s.Then([&] { retype("v"); }).When([&] { return Lines().size() == 3; }, [&] {
            click(0, WM_LBUTTONDOWN);
            click(0, WM_LBUTTONDBLCLK);
        });
        s.When([&] { return !system.opened.empty(); }, look);
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"vim --x 3", "vim 3", "vim --x 3", "v 3",
                                              "\"C:\\Menu\\Visual Studio Code.lnk\" 3",
                                              "\"C:\\Menu\\Share Tool.lnk\" 1", "vim 3", "vim 0", "vim --x 0"}));
    EXPECT_EQ(system.opened, std::vector<std::string>{"vim --x"});
    EXPECT_EQ(system.shortcutsReadThere, 0);
}

TEST_F(MainWindow, AnIndexThatComesAfterTheListClosedLeavesItClosedAndACompletionBeyondAsciiKeepsTheTypedPart)
{
    History({"\xC3\xA4rger.exe", "\xC3\xA4pfel", "vim"});  // "ärger.exe", "äpfel"
    Set("Suggest", 1);
    const KernelHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    sources.indexRelease = release.Get();
    std::vector<std::string> seen;
    dialog.emplace(&system, &sources);
    Run([&](UiScript& s) {
        // Completed to "ärger.exe": what was typed is "ä", which both entries begin with.
        s.Then([&] { TypeText(Edit(), "\xC3\xA4"); }).Then([&] { seen.push_back(Selection() + " " + std::to_string(Lines().size())); });
        s.Then([&] { PressKey(Edit(), VK_ESCAPE); }).Then([&] { SetEvent(release.Get()); });
        s.When([&] { return sources.indexed > 0; }, [] {}).Then([] { Sleep(200); }).Then([&] {
            seen.push_back(std::to_string(Lines().size()));
        });
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"\xC3\xA4rger.exe [1,9) 2", "0"}));
}

TEST_F(MainWindow, TheFileMenuImportsAfterAskingTheWindowTakesTheImportUpAndTheExportHoldsIt)
{
    Set("HideOnSuccess", 0);
    History({"calc"});
    AppProfile().WriteString("Aliases", "np", "write.exe");
    const std::string carried = TempPath("Velquin carried.ini"), exported = TempPath("Velquin exported.ini");
    DeleteFileA(exported.c_str());
    std::ofstream(carried, std::ios::binary)
        << "[Settings]\r\nMaxHistory=7\r\n[Velquin MRU]\r\nFile #1=winword\r\n[Aliases]\r\nnp=notepad.exe\r\n";
    HWND files = nullptr;
    MessageBoxSeen declined, asked, done, saved;
    int items = 0;
    const auto pick = [&](const std::string& path) {
        SetDlgItemTextA(files, GetDlgItem(files, 0x47c) ? 0x47c : 0x480, path.c_str());
        Click(files, IDOK);
    };
    const auto launch = [&](const char* typed) {
        SetWindowTextA(Box(), "");
        TypeText(Edit(), typed);
        PressKey(Edit(), VK_RETURN);
    };
    Run([&](UiScript& s) {
        s.Then([&] { launch("np b.txt"); });
        s.Then([&] { PostMessageA(window, WM_COMMAND, 32844, 0); }).WaitForDialog("Import Settings", &files);
        s.Then([&] { pick(carried); }).AnswerMessageBox(&declined, IDNO);
        s.Then([&] { PostMessageA(window, WM_COMMAND, 32844, 0); }).WaitForDialog("Import Settings", &files);
        s.Then([&] { pick(carried); }).AnswerMessageBox(&asked, IDYES).AnswerMessageBox(&done, IDOK);
        s.Then([&] {
            items = static_cast<int>(SendMessageA(Box(), CB_GETCOUNT, 0, 0));
            launch("np a.txt");
        });
        s.Then([&] { PostMessageA(window, WM_COMMAND, 32843, 0); }).WaitForDialog("Export Settings", &files);
        s.Then([&] { pick(exported); }).AnswerMessageBox(&saved, IDOK);
    });
    EXPECT_EQ(declined.summary, "Import Settings | Velquin's settings, aliases and hidden lines become those of '" +
                                    carried + "', and its history and learning are added to yours.  Import it? | "
                                              "question | &Yes &No | &No");
    EXPECT_EQ(done.summary, "Velquin | Velquin took 1 setting, 1 alias and 0 hidden lines from " + carried +
                                ". The history now holds 3 entries (1 new), the learning 1 pick (0 new). | "
                                "information | OK | OK");
    EXPECT_EQ(items, 3);
    EXPECT_EQ(system.opened, (std::vector<std::string>{"write.exe b.txt", "notepad.exe a.txt"}));
    EXPECT_EQ(saved.summary.substr(0, 40 + exported.size()),
              "Velquin | Velquin saved its profile to " + exported + ":");
    const std::string file = ReadFile(exported);
    for (const char* line : {"\r\nMaxHistory=7\r\n", "\r\nnp=notepad.exe\r\n",
                             "\r\nFile #1=np a.txt\r\nFile #2=np b.txt\r\nFile #3=calc\r\nFile #4=winword\r\n"})
        EXPECT_NE(file.find(line), std::string::npos) << line << " in\n" << file;
    DeleteFileA(carried.c_str());
    DeleteFileA(exported.c_str());
}
