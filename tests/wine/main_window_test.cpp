// The real main window, run modally in this process and driven from inside its modal loop.
#include "MainWindowFixture.h"
#include "TestSupport.h"
#include "UiScript.h"

#include "launcher/VelquinDlg.h"
#include "paths/AppPaths.h"
#include "res/resource.h"
#include "settings/ProfileLayout.h"
#include "settings/SettingsRecord.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>

using namespace profile;

namespace {

// Every path counts as on the network, so each text goes to the window's worker.
class AllRemoteSystem : public ShellLaunchSystem {
public:
    int asked = 0;
    bool IsOnNetwork(const std::string&) override { return ++asked, true; }
};

}  // namespace

TEST_F(MainWindow, OpensAtItsStoredPositionOnlyWhenBothEdgesAreSetAndNotMinimised)
{
    struct Case {
        int left, top, startMin;
        const char* expect;
    };
    // -1 and 100000 lie on no screen (a monitor since disconnected); 900 is partly off the right edge.
    for (const Case& c : {Case{100, 80, 0, "at"}, Case{0, 80, 0, "centred"}, Case{100, 0, 0, "centred"},
                          Case{100, 80, 1, "minimised"}, Case{-1, 100000, 0, "centred"}, Case{900, 80, 0, "inside"}}) {
        AppProfile().WriteInt(kWindow, kLeft, c.left);
        AppProfile().WriteInt(kWindow, kTop, c.top);
        Set(kStartMin, c.startMin);
        RECT rect = {};
        bool iconic = false;
        Run([&](UiScript& s) {
            s.Then([&] {
                GetWindowRect(window, &rect);
                iconic = IsIconic(window) != FALSE;
            });
            if (c.startMin)
                s.Then([&] { ShowWindow(window, SW_RESTORE); });
        });
        const std::string context = std::to_string(c.left) + "," + std::to_string(c.top) + "," + c.expect;
        const int centredLeft = (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2;
        if (std::string(c.expect) == "at") {
            EXPECT_EQ(rect.left, 100) << context;
            EXPECT_EQ(rect.top, 80) << context;
        } else if (std::string(c.expect) == "centred") {
            EXPECT_NEAR(rect.left, centredLeft, 2) << context;
            EXPECT_GE(rect.top, 0) << context;
            EXPECT_LE(rect.bottom, GetSystemMetrics(SM_CYSCREEN)) << context;
        } else if (std::string(c.expect) == "inside") {
            RECT work = {};
            SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
            EXPECT_EQ(rect.right, work.right) << context;
            EXPECT_EQ(rect.top, 80) << context;
        } else {
            EXPECT_TRUE(iconic) << context;
        }
    }
}

TEST_F(MainWindow, TheHistoryStateDecidesTheFirstText)
{
    History({"\"C:\\My Files\\a.txt\" -x", "notepad"});
    Set(kMaxHistory, 0);
    AppProfile().WriteString(kSettings, kConfig, "Not Cleared");
    CVelquinDlg dialog;
    Run(dialog, [&](UiScript& s) {
        s.Then([&] {
            EXPECT_EQ(Text(), "\"C:\\My Files\\a.txt\" -x");
            EXPECT_TRUE(Enabled(IDOK));
            EXPECT_TRUE(Enabled(IDC_CLEAR));
            EXPECT_TRUE(Enabled(IDC_CLEAR_HISTORY));
            EXPECT_EQ(Items(), (std::vector<std::string>{"\"C:\\My Files\\a.txt\" -x", "notepad"}));
            EXPECT_EQ(dialog.History().GetMaxMRUSize(), 30) << "0 means 30";
        });
    });

    AppProfile().WriteString(kSettings, kConfig, "Cleared");
    Run([&](UiScript& s) {
        s.Then([&] {
            EXPECT_EQ(Text(), "");
            EXPECT_FALSE(Enabled(IDOK));
            EXPECT_FALSE(Enabled(IDC_CLEAR));
            EXPECT_FALSE(Enabled(IDC_CLEAR_HISTORY));
            EXPECT_EQ(Items().size(), 2u);
        });
    });

    AppProfile().DeleteValue(kSettings, kConfig);
    Run([&](UiScript& s) {
        s.Then([&] {
            EXPECT_EQ(Text(), "");
            EXPECT_FALSE(Enabled(IDOK));
            EXPECT_TRUE(Enabled(IDC_CLEAR_HISTORY));
        });
    });
}

TEST_F(MainWindow, ClearingAutomaticallyEmptiesTheListAtEveryOpening)
{
    History({"notepad", "write"});
    AppProfile().WriteString(kSettings, kConfig, "Not Cleared");
    Set(kClearHistoryAuto, 1);
    Run([&](UiScript& s) {
        s.Then([&] {
            EXPECT_TRUE(Items().empty());
            EXPECT_EQ(Text(), "");
            EXPECT_FALSE(Enabled(IDC_CLEAR_HISTORY));
            EXPECT_EQ(AppProfile().ReadString(kSettings, kConfig), "Cleared");
        });
    });
    EXPECT_TRUE(AppProfile().ValueNames(kHistory).empty()) << "saved when the window went";
}

TEST_F(MainWindow, AddToPathIsTickedButDisabledAndArmedAtOpening)
{
    AppProfile().WriteInt(kSettings, kAddToPath, 1);
    CVelquinDlg dialog;
    Run(dialog, [&](UiScript& s) {
        s.Then([&] {
            EXPECT_TRUE(Checked(IDC_ADD_TO_PATH));
            EXPECT_FALSE(Enabled(IDC_ADD_TO_PATH));
            EXPECT_EQ(dialog.Commands().addToPathArmed, 1);
        });
    });
}

TEST_F(MainWindow, EveryOpeningRewritesItsAppPathsEntry)
{
    WriteAppPathEntry({"Velquin.exe", "C:\\Old\\Velquin.exe", "C:\\Old"});
    Run([](UiScript&) {});
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    EXPECT_EQ(ReadAppPathEntry("Velquin.exe").programPath, self);
}

TEST_F(MainWindow, TypingCompletesFromTheHistory)
{
    History({"notepad", "mspaint"});
    std::vector<std::string> seen;
    const auto look = [&] { seen.push_back(Selection()); };
    Run([&](UiScript& s) {
        s.Then([&] { TypeText(Edit(), "n"); }).Then(look);
        s.Then([&] { TypeText(Edit(), "o"); }).Then(look);
        s.Then([&] { PressKey(Edit(), VK_BACK); }).Then(look);
        s.Then([&] { PressKey(Edit(), VK_DELETE); }).Then(look);
        // Start again: select everything and type in capitals.
        s.Then([&] { SendMessageA(Box(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1)); });
        s.Then([&] { TypeText(Edit(), "NO"); }).Then(look);
        s.Then([&] { PressKey(Edit(), VK_DELETE); }).Then(look);
        s.Then([&] { SendMessageA(Box(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1)); });
        s.Then([&] { TypeText(Edit(), "x"); }).Then(look);
        // The caret inside the text: "ntepad" with the caret after n, then o.
        s.Then([&] {
            SetWindowTextA(Box(), "ntepad");
            SendMessageA(Box(), CB_SETEDITSEL, 0, MAKELPARAM(1, 1));
        });
        s.Then([&] { TypeText(Edit(), "o"); }).Then(look);
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"notepad [1,7)", "notepad [2,7)", "no [2,2)", "no [2,2)",
                                              "notepad [2,7)", "no [2,2)", "x [1,1)", "notepad [2,2)"}));
}

TEST_F(MainWindow, OkLaunchesRecordsAndPutsTheWindowAway)
{
    const std::string folder = TempPath("Velquin Main " + std::to_string(GetCurrentProcessId()));
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string program = folder + "\\rec.exe";
    const std::string record = folder + "\\record.txt";
    const std::string log = folder + "\\history.log";
    ASSERT_TRUE(CopyFileA(std::getenv("VELQUIN_RECORDER"), program.c_str(), FALSE));
    SetEnvironmentVariableA("VELQUIN_RECORD", record.c_str());
    Set(kSaveToFile, 1);
    AppProfile().WriteString(kSettings, kLogFile, log);
    History({"write"});
    const std::string typed = "\"" + program + "\" -x";

    Set(kHideOnSuccess, 0);
    HWND focus = nullptr, edit = nullptr;
    std::string selection;
    bool visibleAfterFirst = false, hiddenAfterSecond = false;
    Run([&](UiScript& s) {
        s.Then([&] { TypeText(Edit(), typed); })
            .When([&] { return Enabled(IDOK); }, [&] { Click(window, IDOK); })
            .When([&] { return !ReadFile(record).empty(); },
                  [&] {
                      visibleAfterFirst = IsWindowVisible(window) != FALSE;
                      focus = GetFocus();
                      edit = Edit();
                      selection = Selection();
                      DeleteFileA(record.c_str());
                      Set(kHideOnSuccess, 1);
                      Click(window, IDOK);  // again, now putting the window away
                  })
            .When([&] { return !ReadFile(record).empty(); },
                  [&] {
                      hiddenAfterSecond = !IsWindowVisible(window);
                      PostMessageA(window, WM_COMMAND, ID_TRAY_MAXIMIZE, 0);
                  })
            .When([&] { return IsWindowVisible(window) != FALSE; }, [] {});
    });
    EXPECT_TRUE(visibleAfterFirst);
    EXPECT_EQ(focus, edit);
    EXPECT_NE(edit, nullptr);
    EXPECT_EQ(selection, typed + " [0," + std::to_string(program.size()) + ")");
    EXPECT_TRUE(hiddenAfterSecond);
    EXPECT_EQ(AppProfile().ReadString(kHistory, "File #1"), typed);
    EXPECT_EQ(AppProfile().ReadString(kHistory, "File #2"), "write");
    EXPECT_EQ(AppProfile().ReadString(kSettings, kConfig), "Not Cleared");
    EXPECT_EQ(ReadFile(log), "[Velquin History]\r\n\r\nFile #1: " + typed + "\r\nFile #2: write\r\n");
    EXPECT_NE(ReadFile(record).find(" -x"), std::string::npos);

    SetEnvironmentVariableA("VELQUIN_RECORD", nullptr);
    for (const std::string& file : {program, record, log})
        DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST_F(MainWindow, AFailureIsShownWithTheWindowHiddenThenTheWindowComesBack)
{
    const std::string missing = "C:\\velquin-missing.exe";
    MessageBoxSeen seen;
    bool hiddenDuringMessage = false;
    bool shownAfter = false;
    HWND focusAfter = nullptr, edit = nullptr;
    Run([&](UiScript& s) {
        s.Then([&] { TypeText(Edit(), missing); })
            .When([&] { return Enabled(IDOK); }, [&] { Click(window, IDOK); })
            .When([] { return FindMessageBox() != nullptr; },
                  [&] {
                      hiddenDuringMessage = !IsWindowVisible(window);
                      seen = ReadMessageBox(FindMessageBox());
                      Click(seen.window, IDOK);
                  })
            .When([&] { return FindMessageBox() == nullptr; },
                  [&] {
                      shownAfter = IsWindowVisible(window) != FALSE;
                      focusAfter = GetFocus();
                      edit = Edit();
                  });
    });
    EXPECT_TRUE(hiddenDuringMessage);
    EXPECT_EQ(seen.caption, missing);
    EXPECT_EQ(seen.text, "Could not find the file '" + missing +
                             "' (or one of its components).  Check your path and make sure that all required "
                             "libraries are available.");
    EXPECT_EQ(seen.icon, LoadIconA(nullptr, IDI_HAND));
    EXPECT_TRUE(shownAfter);
    EXPECT_EQ(focusAfter, edit);
    EXPECT_NE(edit, nullptr);
    EXPECT_TRUE(AppProfile().ValueNames(kHistory).empty());
}

TEST_F(MainWindow, TheTrayIconBringsTheWindowBack)
{
    auto owned = std::make_unique<CVelquinDlg>();
    CVelquinDlg& dialog = *owned;
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    NOTIFYICONDATAA icon = {};
    const auto iconThere = [&] {
        NOTIFYICONDATAA probe = icon;
        probe.uFlags = NIF_TIP;
        return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
    };
    HWND tray = nullptr;
    UINT menuDefault = 99;
    bool hiddenByMinimize = false, shownByDoubleClick = false, hiddenBySystemMenu = false;
    bool goneAfterShellRestart = true, backAfterTaskbarCreated = false;
    Run(dialog, [&](UiScript& s) {
        s.Then([&] {
             const NOTIFYICONDATAA& data = dialog.Tray().NotifyData();
             EXPECT_TRUE(dialog.Tray().IconAdded());
             EXPECT_STREQ(data.szTip, "Velquin");
             EXPECT_EQ(data.uID, 146u);
             EXPECT_EQ(data.uCallbackMessage, static_cast<UINT>(WM_USER + 10));
             EXPECT_EQ(data.cbSize, sizeof(void*) == 8 ? 104u : 88u);  // the first form of the structure
             tray = dialog.Tray().HiddenWindow();
             icon = data;
             Click(window, IDC_MINIMIZE);
         })
            .Then([&] {
                hiddenByMinimize = !IsWindowVisible(window);
                SendMessageA(tray, WM_USER + 10, 146, WM_LBUTTONDBLCLK);
                shownByDoubleClick = IsWindowVisible(window) != FALSE;
                PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            })
            .Then([&] {
                hiddenBySystemMenu = !IsWindowVisible(window);
                ShowWindow(window, SW_SHOWNORMAL);
                PostMessageA(tray, WM_USER + 10, 146, WM_RBUTTONUP);
            })
            .When([] { return FindWindowA("#32768", nullptr) && IsWindowVisible(FindWindowA("#32768", nullptr)); },
                  [&] {
                      HMENU shown = reinterpret_cast<HMENU>(
                          SendMessageA(FindWindowA("#32768", nullptr), MN_GETHMENU, 0, 0));
                      menuDefault = GetMenuDefaultItem(shown, TRUE, 0);
                      EndMenu();
                  })
            .Then([&] {
                // The shell forgets the icon, as when the notification area restarts.
                NOTIFYICONDATAA gone = icon;
                Shell_NotifyIconA(NIM_DELETE, &gone);
                goneAfterShellRestart = !iconThere();
                SendMessageA(tray, taskbarCreated, 0, 0);
                backAfterTaskbarCreated = iconThere();
            });
    });
    EXPECT_TRUE(hiddenByMinimize);
    EXPECT_TRUE(shownByDoubleClick);
    EXPECT_TRUE(hiddenBySystemMenu);
    EXPECT_EQ(menuDefault, 0u) << "Ma&ximize, drawn as the default";
    EXPECT_TRUE(goneAfterShellRestart);
    EXPECT_TRUE(backAfterTaskbarCreated);
    owned.reset();
    EXPECT_FALSE(iconThere()) << "the icon goes with the window object";
}

TEST_F(MainWindow, WithoutTheTrayPreferenceMinimiseGoesToTheTaskBar)
{
    Set(kPutIconInTray, 0);
    CVelquinDlg dialog;
    bool iconic = false, visible = false;
    Run(dialog, [&](UiScript& s) {
        s.Then([&] {
             EXPECT_FALSE(dialog.Tray().IconAdded());
             PostMessageA(window, WM_COMMAND, ID_FILE_MINIMIZE, 0);
         })
            .Then([&] {
                iconic = IsIconic(window) != FALSE;
                visible = IsWindowVisible(window) != FALSE;
                ShowWindow(window, SW_RESTORE);
            });
    });
    EXPECT_TRUE(iconic);
    EXPECT_TRUE(visible);
}

TEST_F(MainWindow, EscapeAndTheCloseBoxWriteTheRestoredPosition)
{
    for (bool closeBox : {false, true}) {
        CVelquinDlg dialog;
        UiScript script;
        script.WaitForDialog("Velquin", &window)
            .Then([&] { SetWindowPos(window, nullptr, 210, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER); })
            .Then([&] {
                if (closeBox)
                    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
                else
                    PressKey(Edit(), VK_ESCAPE);
            });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_TRUE(script.Finished());
        EXPECT_EQ(AppProfile().ReadInt(kWindow, kLeft, 0), 210) << closeBox;
        EXPECT_EQ(AppProfile().ReadInt(kWindow, kTop, 0), 150) << closeBox;
        AppProfile().WriteInt(kWindow, kLeft, 0);
    }
}

TEST_F(MainWindow, TheCheckBoxWritesItsStateAtOnce)
{
    int afterFirst = -1, afterSecond = -1;
    Run([&](UiScript& s) {
        s.Then([&] { TypeText(Edit(), "C:\\windows"); })
            .When([&] { return Enabled(IDC_ADD_TO_PATH); },
                  [&] { ClickButton(GetDlgItem(window, IDC_ADD_TO_PATH)); })
            .Then([&] {
                afterFirst = AppProfile().ReadInt(kSettings, kAddToPath, -1);
                ClickButton(GetDlgItem(window, IDC_ADD_TO_PATH));
            })
            .Then([&] { afterSecond = AppProfile().ReadInt(kSettings, kAddToPath, -1); });
    });
    EXPECT_EQ(afterFirst, 1);
    EXPECT_EQ(afterSecond, 0);
}

TEST_F(MainWindow, ANetworkTextIsFoundByTheWorkerAndItsAnswerReachesTheControls)
{
    AllRemoteSystem system;
    CVelquinDlg dialog(&system);
    Run(dialog, [&](UiScript& s) {
        s.Then([&] { TypeText(Edit(), "C:\\windows"); }).When([&] { return Enabled(IDC_ADD_TO_PATH); }, [] {});
    });
    EXPECT_GT(system.asked, 0);
}

TEST_F(MainWindow, ClearEmptiesTheBoxAndDisablesOkAndClear)
{
    std::string text = "unset";
    bool ok = true, clear = true;
    HWND focus = nullptr, edit = nullptr;
    Run([&](UiScript& s) {
        s.Then([&] { TypeText(Edit(), "notepad"); })
            .When([&] { return Enabled(IDC_CLEAR); }, [&] { Click(window, IDC_CLEAR); })
            .Then([&] {
                text = Text();
                ok = Enabled(IDOK);
                clear = Enabled(IDC_CLEAR);
                focus = GetFocus();
                edit = Edit();
            });
    });
    EXPECT_EQ(text, "");
    EXPECT_FALSE(ok);
    EXPECT_FALSE(clear);
    EXPECT_EQ(focus, edit);
}

TEST_F(MainWindow, TurningTheTrayOnDuringARunMinimisesWhileThereIsNoIcon)
{
    Set(kPutIconInTray, 0);
    bool iconic = false, visible = false;
    Run([&](UiScript& s) {
        s.Then([&] {
             Set(kPutIconInTray, 1);  // as the Preferences would, without a restart
             Click(window, IDC_MINIMIZE);
         })
            .Then([&] {
                iconic = IsIconic(window) != FALSE;
                visible = IsWindowVisible(window) != FALSE;
                ShowWindow(window, SW_RESTORE);
            });
    });
    EXPECT_TRUE(iconic) << "no icon could bring a hidden window back";
    EXPECT_TRUE(visible);
}

namespace {

bool g_taskbarReady = false;

// The shell as at logon: it refuses new icons until the taskbar is there.
BOOL WINAPI NotifyBeforeTheTaskbar(DWORD message, PNOTIFYICONDATAA data)
{
    if (message == NIM_ADD && !g_taskbarReady)
        return FALSE;
    return Shell_NotifyIconA(message, data);
}

}  // namespace

TEST_F(MainWindow, ARefusedTrayIconLeavesTheWindowOpenAndComesWhenTheTaskbarDoes)
{
    CVelquinDlg dialog;
    g_taskbarReady = false;
    dialog.Tray().SetNotifyFunction(NotifyBeforeTheTaskbar);
    bool visible = false, iconAtFirst = true, minimisedMeanwhile = false, iconLater = false, hiddenLater = false;
    Run(dialog, [&](UiScript& s) {
        s.Then([&] {
             visible = IsWindowVisible(window) != FALSE;
             iconAtFirst = dialog.Tray().IconAdded();
             Click(window, IDC_MINIMIZE);
         })
            .Then([&] {
                minimisedMeanwhile = IsIconic(window) && IsWindowVisible(window);
                ShowWindow(window, SW_RESTORE);
                g_taskbarReady = true;
                SendMessageA(dialog.Tray().HiddenWindow(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
                iconLater = dialog.Tray().IconAdded();
                Click(window, IDC_MINIMIZE);
            })
            .Then([&] {
                hiddenLater = !IsWindowVisible(window);
                ShowWindow(window, SW_SHOWNORMAL);
            });
    });
    EXPECT_TRUE(visible);
    EXPECT_FALSE(iconAtFirst);
    EXPECT_TRUE(minimisedMeanwhile) << "no icon could bring a hidden window back";
    EXPECT_TRUE(iconLater);
    EXPECT_TRUE(hiddenLater);
}
