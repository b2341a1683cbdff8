// Every command of the real main window: menus, tray menu, Browse, folders, programs, session, import.
#include "MainWindowFixture.h"

#include "framework/Text.h"
#include "launcher/ShellLaunch.h"

#include <map>
#include <set>

using namespace profile;

namespace {

// The real system, except that opening only records, and the session is never ended.
class RecordingSystem : public ShellLaunchSystem {
public:
    struct Opened {
        OpenRequest request;
        bool windowVisible;
    };
    std::vector<Opened> opened;
    std::map<std::string, OpenResult> results;  // by program; success otherwise
    std::vector<unsigned> sessions;
    std::pair<int, int> positionAtEnd{-1, -1};
    HWND* window = nullptr;

    OpenResult Open(const OpenRequest& request) override
    {
        opened.push_back({request, window && IsWindowVisible(*window)});
        auto found = results.find(request.program);
        return found == results.end() ? OpenResult{42, 0} : found->second;
    }
    void EndSession(unsigned flags) override
    {
        sessions.push_back(flags);
        positionAtEnd = {AppProfile().ReadInt(kWindow, kLeft, -1), AppProfile().ReadInt(kWindow, kTop, -1)};
    }
};

class WindowCommands : public MainWindow {
protected:
    RecordingSystem system;
    void SetUp() override
    {
        MainWindow::SetUp();
        system.window = &window;
    }
    std::string LastOpened() const { return system.opened.empty() ? "<none>" : system.opened.back().request.program; }
};

struct MenuItem {
    int id;
    std::string label;
};

void CollectItems(HMENU menu, std::vector<MenuItem>& items)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            CollectItems(sub, items);
        } else if (!(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR)) {
            char label[128] = {};
            GetMenuStringA(menu, static_cast<UINT>(i), label, sizeof(label), MF_BYPOSITION);
            items.push_back({static_cast<int>(GetMenuItemID(menu, i)), label});
        }
    }
}

std::vector<MenuItem> ItemsOf(UINT menuId)
{
    std::vector<MenuItem> items;
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(menuId));
    CollectItems(menu, items);
    DestroyMenu(menu);
    return items;
}

}  // namespace

TEST_F(WindowCommands, EveryMenuItemReachesItsAction)
{
    Set(kHideOnSuccess, 0);
    ShellLaunchSystem real;
    const std::map<int, std::string> dialogs = {
        {ID_FILE_BROWSE, "Browse"},          {ID_TOOLS_EDIT_HISTORY, "Velquin History"},
        {ID_TOOLS_PATH_EDITOR, "Path Editor"}, {ID_TRAY_PATH_EDITOR, "Path Editor"},
        {ID_TOOLS_PREFERENCES, "Preferences"}, {ID_TRAY_PREFERENCES, "Preferences"},
        {ID_HELP_ABOUT, "About Velquin..."},   {ID_TRAY_ABOUT, "About Velquin..."}};
    const std::map<int, std::string> messages = {
        {ID_TOOLS_CLEAR_HISTORY, "This action will delete all items in your history folder.  Do you wish to continue?"},
        {ID_TRAY_CLEAR_HISTORY, "This action will delete all items in your history folder.  Do you wish to continue?"},
        {ID_TOOLS_IMPORT_RUN_HISTORY, "Run history has been added to your history folder."},
        {ID_TOOLS_LOG_OFF, "Are you sure you want to log off?"},
        {ID_TOOLS_RESTART, "Are you sure you want to restart?"},
        {ID_TOOLS_SHUTDOWN, "Are you sure you want to shutdown?"},
        {ID_TRAY_OPEN_LAST_ITEM, "There is no item to open."}};
    std::map<int, std::string> opens = {{ID_HELP_README, "winword"},
                                        {ID_FOLDERS_SYSTEM, real.SystemDirectory()},
                                        {ID_FOLDERS_WINDOWS, real.WindowsDirectory()}};
    for (const ProgramCommand& c : kProgramCommands)
        opens[c.id] = c.program;
    for (const FolderCommand& c : kFolderCommands) {
        if (c.source == FolderSource::ShellFolder)
            opens[c.id] = real.ReadShellFolder(c.shellFolder);  // empty: nothing to open
    }
    const std::set<int> ending = {ID_FILE_EXIT, ID_TRAY_EXIT};

    std::vector<MenuItem> items = ItemsOf(IDR_MAIN_MENU);
    for (const MenuItem& item : ItemsOf(IDR_TRAY_MENU))
        items.push_back(item);

    std::map<int, std::string> seen;  // what each command did
    CVelquinDlg dialog(&system);
    Run(dialog, [&](UiScript& s) {
        for (const MenuItem& item : items) {
            const int id = item.id;
            if (ending.count(id))
                continue;
            const size_t before = system.opened.size();
            s.Then([this, id] {
                ShowWindow(window, SW_SHOWNORMAL);
                PostMessageA(window, WM_COMMAND, id, 0);
            });
            if (dialogs.count(id)) {
                const std::string caption = dialogs.at(id);
                s.When([caption] { return FindThreadDialog(caption) != nullptr; },
                       [&seen, id, caption] {
                           seen[id] = "dialog " + caption;
                           HWND d = FindThreadDialog(caption);
                           PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
                       })
                    .When([caption] { return FindThreadDialog(caption) == nullptr; }, [] {});
            } else if (messages.count(id)) {
                s.When([] { return FindMessageBox() != nullptr; },
                       [&seen, id] {
                           MessageBoxSeen box = ReadMessageBox(FindMessageBox());
                           seen[id] = "message " + box.text;
                           Click(box.window, box.buttons.size() > 1 ? IDNO : IDOK);
                       })
                    .When([] { return FindMessageBox() == nullptr; }, [] {});
            } else {
                s.Then([this, &seen, id, before] {
                    if (id == ID_FILE_MINIMIZE)
                        seen[id] = IsWindowVisible(window) ? "shown" : "hidden";
                    else if (id == ID_TRAY_MAXIMIZE)
                        seen[id] = IsWindowVisible(window) && !IsIconic(window) ? "shown" : "hidden";
                    else
                        seen[id] = system.opened.size() > before ? "open " + LastOpened() : "open ";
                });
            }
        }
    });

    for (const MenuItem& item : items) {
        if (ending.count(item.id))
            continue;
        std::string expected;
        if (dialogs.count(item.id))
            expected = "dialog " + dialogs.at(item.id);
        else if (messages.count(item.id))
            expected = "message " + messages.at(item.id);
        else if (item.id == ID_FILE_MINIMIZE)
            expected = "hidden";
        else if (item.id == ID_TRAY_MAXIMIZE)
            expected = "shown";
        else
            expected = "open " + opens.at(item.id);
        EXPECT_EQ(seen[item.id], expected) << item.label << " (" << item.id << ")";
    }
    EXPECT_TRUE(system.sessions.empty());

    for (int id : ending) {
        CVelquinDlg closing(&system);
        UiScript script;
        script.WaitForDialog("Velquin", &window).Then([this, id] { PostMessageA(window, WM_COMMAND, id, 0); });
        EXPECT_EQ(closing.DoModal(), IDCANCEL) << id;
        EXPECT_TRUE(script.Finished()) << id;
    }
}

TEST_F(WindowCommands, OnlyOneDialogAtATimeButEditHistoryAlwaysOpens)
{
    int dialogsWhileAboutOpen = -1;
    bool historyOpened = false;
    Run([&](UiScript& s) {
        s.Then([&] { PostMessageA(window, WM_COMMAND, ID_TRAY_ABOUT, 0); })
            .When([] { return FindThreadDialog("About Velquin...") != nullptr; },
                  [&] {
                      for (int id : {ID_TRAY_ABOUT, ID_TRAY_PREFERENCES, ID_TRAY_PATH_EDITOR, ID_HELP_ABOUT})
                          SendMessageA(window, WM_COMMAND, id, 0);  // returns at once: nothing opens
                  })
            .Then([&] {
                dialogsWhileAboutOpen = (FindThreadDialog("Preferences") != nullptr) +
                                        (FindThreadDialog("Path Editor") != nullptr);
                PostMessageA(window, WM_COMMAND, ID_TOOLS_EDIT_HISTORY, 0);
            })
            .When([] { return FindThreadDialog("Velquin History") != nullptr; },
                  [&] {
                      historyOpened = true;
                      PostMessageA(FindThreadDialog("Velquin History"), WM_COMMAND, IDCANCEL, 0);
                  })
            .When([] { return FindThreadDialog("Velquin History") == nullptr; },
                  [] { PostMessageA(FindThreadDialog("About Velquin..."), WM_COMMAND, IDOK, 0); })
            .When([] { return FindThreadDialog("About Velquin...") == nullptr; }, [] {});
    });
    EXPECT_EQ(dialogsWhileAboutOpen, 0);
    EXPECT_TRUE(historyOpened);
}

TEST_F(WindowCommands, BrowsePutsThePickedPathInTheBoxAndRemembersIt)
{
    const std::string spaced = TempPath("Velquin Browse");
    const std::string plain = TempPath("VelquinBrowse");
    CreateDirectoryA(spaced.c_str(), nullptr);
    CreateDirectoryA(plain.c_str(), nullptr);
    const std::string first = spaced + "\\a.txt";
    const std::string second = plain + "\\b.txt";
    for (const std::string& file : {first, second})
        CloseHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

    HWND browse = nullptr;
    std::string boxAfterFirst, boxAfterSecond, filterAtSecond, boxAfterCancel;
    HWND focusAfterFirst = nullptr, okButton = nullptr;
    LONG okStyle = 0, browseStyle = 0;
    const auto pick = [&](const std::string& path) {
        HWND name = GetDlgItem(browse, 0x47c) ? GetDlgItem(browse, 0x47c) : GetDlgItem(browse, 0x480);
        SetWindowTextA(name, path.c_str());
        Click(browse, IDOK);
    };
    Run([&](UiScript& s) {
        s.Then([&] { Click(window, IDC_BROWSE); })
            .WaitForDialog("Browse", &browse)
            .Then([&] {
                HWND types = GetDlgItem(browse, 0x470);
                SendMessageA(types, CB_SETCURSEL, 6, 0);  // "All Files "
                for (UINT note : {CBN_SELCHANGE, CBN_SELENDOK})
                    SendMessageA(browse, WM_COMMAND, MAKEWPARAM(0x470, note), reinterpret_cast<LPARAM>(types));
                pick(first);
            })
            .When([] { return FindThreadDialog("Browse") == nullptr; },
                  [&] {
                      boxAfterFirst = Text();
                      focusAfterFirst = GetFocus();
                      okButton = GetDlgItem(window, IDOK);
                      okStyle = GetWindowLongA(okButton, GWL_STYLE) & 0xF;
                      browseStyle = GetWindowLongA(GetDlgItem(window, IDC_BROWSE), GWL_STYLE) & 0xF;
                      EXPECT_TRUE(Enabled(IDOK));
                      EXPECT_TRUE(Enabled(IDC_CLEAR));
                      EXPECT_TRUE(Enabled(IDC_ADD_TO_PATH));
                      PostMessageA(window, WM_COMMAND, ID_FILE_BROWSE, 0);
                  })
            .WaitForDialog("Browse", &browse)
            .Then([&] {
                HWND types = GetDlgItem(browse, 0x470);
                char text[64] = {};
                SendMessageA(types, CB_GETLBTEXT, SendMessageA(types, CB_GETCURSEL, 0, 0),
                             reinterpret_cast<LPARAM>(text));
                filterAtSecond = text;
                pick(second);
            })
            .When([] { return FindThreadDialog("Browse") == nullptr; },
                  [&] {
                      boxAfterSecond = Text();
                      Click(window, IDC_BROWSE);
                  })
            .WaitForDialog("Browse", &browse)
            .Then([&] { Click(browse, IDCANCEL); })
            .When([] { return FindThreadDialog("Browse") == nullptr; }, [&] { boxAfterCancel = Text(); });
    });
    EXPECT_EQ(boxAfterFirst, "\"" + first + "\"");
    EXPECT_EQ(focusAfterFirst, okButton);
    EXPECT_EQ(okStyle, BS_DEFPUSHBUTTON);
    EXPECT_EQ(browseStyle, BS_PUSHBUTTON);
    EXPECT_EQ(filterAtSecond, "All Files ");
    EXPECT_EQ(boxAfterSecond, second);
    EXPECT_EQ(boxAfterCancel, second) << "a cancelled Browse changes nothing";
    EXPECT_EQ(AppProfile().ReadString(kFolders, kFile), second);
    EXPECT_EQ(AppProfile().ReadInt(kFolders, kFilter, 0), 7);
    DeleteFileA(first.c_str());
    DeleteFileA(second.c_str());
    RemoveDirectoryA(spaced.c_str());
    RemoveDirectoryA(plain.c_str());
}

TEST_F(WindowCommands, FoldersOpenWithTheShowPreferenceAndHideInTheirOrder)
{
    Set(kShowWindow, 3);
    const std::string desktop = ShellLaunchSystem().ReadShellFolder("Desktop");
    CVelquinDlg dialog(&system);
    bool hiddenAfterSystem = false, visibleAfterWindows = false;
    Run(dialog, [&](UiScript& s) {
        s.Then([&] { PostMessageA(window, WM_COMMAND, ID_FOLDERS_DESKTOP, 0); })
            .Then([&] {
                ShowWindow(window, SW_SHOWNORMAL);
                PostMessageA(window, WM_COMMAND, ID_FOLDERS_SYSTEM, 0);
            })
            .Then([&] {
                hiddenAfterSystem = !IsWindowVisible(window);
                ShowWindow(window, SW_SHOWNORMAL);
                PostMessageA(window, WM_COMMAND, ID_FOLDERS_WINDOWS, 0);
            })
            .Then([&] { visibleAfterWindows = IsWindowVisible(window) != FALSE; });
    });
    ASSERT_EQ(system.opened.size(), desktop.empty() ? 2u : 3u);
    if (!desktop.empty()) {
        EXPECT_EQ(system.opened[0].request.program, desktop);
        EXPECT_FALSE(system.opened[0].windowVisible) << "hidden before opening";
    }
    const auto& systemDir = system.opened[system.opened.size() - 2];
    EXPECT_TRUE(systemDir.windowVisible) << "hidden only after opening";
    EXPECT_TRUE(hiddenAfterSystem);
    EXPECT_TRUE(system.opened.back().windowVisible);
    EXPECT_TRUE(visibleAfterWindows) << "the Windows folder never hides the window";
    for (const auto& opened : system.opened)
        EXPECT_EQ(opened.request.showCommand, 3);
}

TEST_F(WindowCommands, AProgramsFailureSaysErrorThenTakesTheHideStep)
{
    Set(kPutIconInTray, 0);
    system.results["notepad"] = {2, 2};
    CVelquinDlg dialog(&system);
    MessageBoxSeen seen;
    bool iconicDuringMessage = true, iconicAfter = false;
    Run(dialog, [&](UiScript& s) {
        s.Then([&] { PostMessageA(window, WM_COMMAND, ID_PROGRAMS_NOTEPAD, 0); })
            .When([] { return FindMessageBox() != nullptr; },
                  [&] {
                      iconicDuringMessage = IsIconic(window) != FALSE;
                      seen = ReadMessageBox(FindMessageBox());
                      Click(seen.window, IDOK);
                  })
            .When([] { return FindMessageBox() == nullptr; },
                  [&] {
                      iconicAfter = IsIconic(window) != FALSE;
                      ShowWindow(window, SW_RESTORE);
                  });
    });
    EXPECT_EQ(seen.text, "There was a failure launching Notepad.");
    EXPECT_EQ(seen.caption, "Error");
    EXPECT_EQ(seen.icon, LoadIconA(nullptr, IDI_HAND));
    EXPECT_FALSE(iconicDuringMessage);
    EXPECT_TRUE(iconicAfter);
}

TEST_F(WindowCommands, EndingTheSessionAsksStoresThePositionThenCallsTheSystem)
{
    struct Case {
        int id;
        const char* caption;
        unsigned flags;
    };
    for (const Case& c : {Case{ID_TOOLS_LOG_OFF, "Log Off Windows", 0}, Case{ID_TOOLS_RESTART, "Restart Windows", 6},
                          Case{ID_TOOLS_SHUTDOWN, "Shutdown Windows", 5}}) {
        AppProfile().DeleteValue(kWindow, kLeft);
        system.sessions.clear();
        // No: everything stays as it was.
        {
            CVelquinDlg dialog(&system);
            MessageBoxSeen question;
            int leftAfterNo = 0;
            Run(dialog, [&](UiScript& s) {
                s.Then([&] { PostMessageA(window, WM_COMMAND, c.id, 0); })
                    .AnswerMessageBox(&question, IDNO)
                    .When([] { return FindMessageBox() == nullptr; },
                          [&] {
                              EXPECT_TRUE(IsWindowVisible(window));
                              leftAfterNo = AppProfile().ReadInt(kWindow, kLeft, -1);
                          });
            });
            EXPECT_EQ(question.caption, c.caption);
            EXPECT_EQ(question.buttons, (std::vector<std::string>{"&Yes", "&No"}));
            EXPECT_TRUE(system.sessions.empty());
            EXPECT_EQ(leftAfterNo, -1) << "the position is not written";
        }
        AppProfile().DeleteValue(kWindow, kLeft);
        // Yes: the position is stored, then the system is asked.
        {
            CVelquinDlg dialog(&system);
            UiScript script;
            script.WaitForDialog("Velquin", &window)
                .Then([&] { SetWindowPos(window, nullptr, 140, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER); })
                .Then([&] { PostMessageA(window, WM_COMMAND, c.id, 0); })
                .AnswerMessageBox(nullptr, IDYES);
            EXPECT_EQ(dialog.DoModal(), IDCANCEL);
            EXPECT_TRUE(script.Finished());
            EXPECT_EQ(system.sessions, (std::vector<unsigned>{c.flags}));
            EXPECT_EQ(system.positionAtEnd, std::make_pair(140, 120));
        }
    }

    // Without the questions: at once.
    Set(kPromptOnShutDown, 0);
    system.sessions.clear();
    CVelquinDlg dialog(&system);
    UiScript script;
    script.WaitForDialog("Velquin", &window).Then([&] { PostMessageA(window, WM_COMMAND, ID_TOOLS_SHUTDOWN, 0); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(system.sessions, (std::vector<unsigned>{5}));
}

TEST_F(WindowCommands, ImportTakesTheRunBoxHistoryOnce)
{
    const std::string runMru = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
    HKEY key = nullptr;
    RegCreateKeyA(HKEY_CURRENT_USER, runMru.c_str(), &key);
    for (const auto& value : std::vector<std::pair<std::string, std::string>>{
             {"MRUList", "bac"}, {"b", "calc\\1"}, {"a", "notepad\\1"}, {"c", "plain"}})
        RegSetValueExA(key, value.first.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.second.c_str()),
                       static_cast<DWORD>(value.second.size() + 1));
    RegCloseKey(key);
    History({"CALC"});

    std::vector<std::string> items;
    std::string box;
    int messages = 0;
    Run([&](UiScript& s) {
        for (int round = 0; round < 2; ++round) {
            s.Then([&] { PostMessageA(window, WM_COMMAND, ID_TOOLS_IMPORT_RUN_HISTORY, 0); })
                .When([] { return FindMessageBox() != nullptr; },
                      [&] {
                          ++messages;
                          Click(FindMessageBox(), IDOK);
                      })
                .When([] { return FindMessageBox() == nullptr; }, [] {});
        }
        s.Then([&] {
            items = Items();
            box = Text();
        });
    });
    RegDeleteTreeA(HKEY_CURRENT_USER, runMru.c_str());
    EXPECT_EQ(items, (std::vector<std::string>{"notepad", "CALC"}));
    EXPECT_EQ(box, "notepad");
    EXPECT_EQ(messages, 2);
    EXPECT_EQ(AppProfile().ReadString(kSettings, kConfig), "Not Cleared");
}

TEST_F(WindowCommands, PreferencesApplyTheCapacityAndEditHistoryReloadsTheList)
{
    History({"notepad", "mspaint", "write"});
    CVelquinDlg dialog(&system);
    HWND preferences = nullptr, editor = nullptr;
    std::string selectionAfterPreferences, boxAfterEditor;
    std::vector<std::string> itemsAfterEditor;
    Run(dialog, [&](UiScript& s) {
        s.Then([&] { TypeText(Edit(), "typed"); })
            .Then([&] { PostMessageA(window, WM_COMMAND, ID_TOOLS_PREFERENCES, 0); })
            .WaitForDialog("Preferences", &preferences)
            .Then([&] {
                EXPECT_EQ(WindowText(GetDlgItem(preferences, IDC_EDIT_FIELD)), "30") << "the box's capacity";
                SetDlgItemTextA(preferences, IDC_EDIT_FIELD, "2");
                Click(preferences, IDOK);
            })
            .When([] { return FindThreadDialog("Preferences") == nullptr; },
                  [&] {
                      selectionAfterPreferences = Selection();
                      PostMessageA(window, WM_COMMAND, ID_TOOLS_EDIT_HISTORY, 0);
                  })
            .WaitForDialog("Velquin History", &editor)
            .Then([&] {
                HWND list = GetDlgItem(editor, IDC_HISTORY_LIST);
                SendMessageA(list, LB_SETCURSEL, 0, 0);
                PostMessageA(editor, WM_COMMAND, MAKEWPARAM(IDC_HISTORY_LIST, LBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(list));
            })
            .Then([&] { Click(editor, IDC_HISTORY_REMOVE); })
            .Then([&] { Click(editor, IDCANCEL); })
            .When([] { return FindThreadDialog("Velquin History") == nullptr; },
                  [&] {
                      itemsAfterEditor = Items();
                      boxAfterEditor = Selection();
                  });
    });
    EXPECT_EQ(dialog.History().GetMaxMRUSize(), 2);
    EXPECT_EQ(AppProfile().ReadInt(kSettings, kMaxHistory, 0), 2);
    EXPECT_EQ(selectionAfterPreferences, "typed [0,5)");
    EXPECT_EQ(itemsAfterEditor, (std::vector<std::string>{"mspaint"})) << "reloaded from the profile";
    EXPECT_EQ(boxAfterEditor, "typed [0,5)");
}
