// Preferences, the Path Editor and the history editor on their real templates, their questions answered.
#include "TestSupport.h"

#include "framework/Unicode.h"
#include "history/HistoryEditor.h"
#include "launch/HistoryLog.h"
#include "paths/PathEditorDlg.h"
#include "preferences/Option.h"
#include "res/resource.h"

#include <functional>

namespace {

// A line selected as the user selects it: the list box tells the dialog.
void SelectLine(HWND dialog, int listId, const std::string& text)
{
    HWND list = GetDlgItem(dialog, listId);
    SendMessageW(list, LB_SETCURSEL, SendMessageW(list, LB_FINDSTRINGEXACT, -1, (LPARAM)Wide(text).c_str()), 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// Runs a dialog of this thread with the steps inside it, then closes it unless the steps did; the dialog's
// caption gives its window.
class DialogTest : public ::testing::Test {
protected:
    TestApp app;
    HWND dialog = nullptr;
    HWND entry = nullptr;

    void SetUp() override { CleanTestAppPaths(); }
    void TearDown() override { CleanTestAppPaths(); }
    void Run(Dialog& opened, const std::string& caption, const std::function<void(UiScript&)>& steps,
             bool close = true)
    {
        UiScript script;
        script.WaitForDialog(caption, &dialog);
        steps(script);
        if (close)
            script.Then([this] { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
        opened.DoModal();
        EXPECT_TRUE(script.Finished());
    }
    // The Path Editor's entry dialog filled in and confirmed.
    void FillEntry(UiScript& s, const char* name, const char* path, const char* directory)
    {
        s.WaitForDialog("Add", &entry).Then([this, name, path, directory] {
            SetDlgItemTextA(entry, IDC_PROGRAM_NAME, name);
            SetDlgItemTextA(entry, IDC_EDIT_FIELD, path);
            SetDlgItemTextA(entry, IDC_WORKING_DIRECTORY, directory);
            Click(entry, IDOK);
        });
    }
    // Preferences over the profile's settings, closed by the steps.
    void OpenPreferences(const std::function<void(UiScript&)>& steps)
    {
        COption option;
        option.LoadSettings();
        Run(option, "Preferences", steps, false);
    }
    // The Path Editor's line of that name edited, its name changed and confirmed.
    void Rename(UiScript& s, const std::string& from, const std::string& to)
    {
        s.Then([this, from] { SelectLine(dialog, IDC_PATH_LIST, from); })
            .When([this] { return Enabled(dialog, IDC_PATH_EDIT); }, [this] { Click(dialog, IDC_PATH_EDIT); })
            .WaitForDialog("Edit", &entry)
            .Then([this, to] {
                SetDlgItemTextW(entry, IDC_PROGRAM_NAME, Wide(to).c_str());
                Click(entry, IDOK);
            });
    }
    // The tables of the Path Editor's lines of that name, letter case ignored: "machine ", "user ", "".
    std::string Listed(const std::string& name) const
    {
        const ListBox list(GetDlgItem(dialog, IDC_PATH_LIST));
        std::string tables;
        for (int i = 0; i < list.Count(); ++i) {
            if (SameTextIgnoringCase(list.ItemText(i), name))
                tables += list.ItemData(i) == static_cast<LRESULT>(AppPathTable::User) ? "user " : "machine ";
        }
        return tables;
    }
};

const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kOverwrite = "Confirm | The entry you specified already exists.  Do you wish to overwrite it? | "
                               "question | &Yes &No | &No";

}  // namespace

TEST_F(DialogTest, PreferencesSaveWhatTheUserLeftAndAskBeforeReplacingOnlyATypedLocation)
{
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, "Velquin");
    const std::tuple<int, const char*, int> boxes[] = {
        {1043, "ClearHistoryAuto", 1}, {1053, "StartMin", 1},        {1060, "HideOnSuccess", 0},
        {1072, "PutIconInTray", 0},    {1084, "PromptOnLogOff", 0}, {1085, "PromptOnRestart", 0},
        {1086, "PromptOnShutDown", 0}, {1094, "WinR", 1},           {1044, "Suggest", 0}};
    MessageBoxSeen refused;
    OpenPreferences([&](UiScript& s) {  // over the first-run record
        s.Then([&] {
             SetDlgItemTextA(dialog, 1034, "100");
             for (const auto& box : boxes)
                 PostMessageA(GetDlgItem(dialog, std::get<0>(box)), BM_CLICK, 0, 0);  // toggles, and notifies
             PostMessageA(GetDlgItem(dialog, 1055), BM_CLICK, 0, 0);
         })
            .Then([&] { Click(dialog, IDOK); })
            .AnswerMessageBox(&refused, IDOK)
            .Then([&] { SetDlgItemTextA(dialog, 1034, "12"); })
            .Then([&] { Click(dialog, IDOK); });
    });
    EXPECT_EQ(refused.summary, "Velquin | Please enter an integer between 1 and 99 | warning | OK | OK");
    for (const auto& [id, name, clicked] : boxes)
        EXPECT_EQ(AppProfile().ReadInt("Settings", name, -1), clicked) << name;
    EXPECT_EQ(AppProfile().ReadInt("Settings", "MaxHistory", -1), 12);
    EXPECT_EQ(AppProfile().ReadInt("Settings", "ShowWindow", -1), 3);
    EXPECT_EQ(ReadRawValue(HKEY_CURRENT_USER, kRunKey, "Velquin"), "1 \"" + ModulePath() + "\"" + '\0')
        << "start with Windows is on by default; quoted, a path with blanks is one command";
    EXPECT_EQ(AppProfile().ReadString("Settings", "VelquinPath"), ModulePath());

    // Default and "..." leave what the user did; the log is asked about only when its location was typed.
    const std::string log = TempPath("velquin prefs.log"), other = TempPath("velquin other.log");
    for (const std::string& file : {log, other})
        WriteLogFile(file, "kept");
    AppProfile().WriteInt("Settings", "StartAuto", 0);  // and "Clear History Automatically" is ticked
    AppProfile().WriteInt("Settings", "SaveToFile", 1);
    AppProfile().WriteString("Settings", "LogFile", log);
    std::vector<std::string> seen;  // OK enabled, "Clear History Automatically" ticked, the count
    const auto look = [&] {
        seen.push_back(std::to_string(Enabled(dialog, IDOK)) + std::to_string(IsDlgButtonChecked(dialog, 1043)) + " " +
                       WindowText(GetDlgItem(dialog, 1034)));
    };
    HWND chooser = nullptr, notepad = nullptr;  // Notepad's title is the file's name once it has read it
    OpenPreferences([&](UiScript& s) {
        s.Then([&] { SetDlgItemTextA(dialog, IDC_LOG_FILE, ""); }).Then(look);
        s.Then([&] { Click(dialog, 1035); }).Then(look);  // Default
        s.Then([&] {
             SetDlgItemTextA(dialog, 1034, "12");
             PostMessageA(GetDlgItem(dialog, IDC_SAVE_TO_FILE), BM_CLICK, 0, 0);
         }).Then(look);
        s.Then([&] { Click(dialog, 1048); })  // "..."
            .WaitForDialog("Save History To File", &chooser)
            .Then([&] {
                SetDlgItemTextW(chooser, GetDlgItem(chooser, 0x47c) ? 0x47c : 0x480, Wide(log).c_str());
                Click(chooser, IDOK);
            })
            .AnswerMessageBox(nullptr, IDYES)  // the dialog's own question: replace it?
            .When([] { return !FindThreadDialog("Save History To File"); }, look)
            .Then([&] { Click(dialog, 1049); })  // View
            .When([&] { return (notepad = FindWindowA("Notepad", nullptr)) && WindowText(notepad)[0] == 'v'; },
                  [&] {
                      seen.push_back(WindowText(notepad));
                      PostMessageA(notepad, WM_CLOSE, 0, 0);
                      Click(dialog, IDOK);
                  });
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"01 12", "10 30", "00 12", "10 12", "velquin prefs.log - Notepad"}));
    EXPECT_EQ(ReadFile(log), "[Velquin History]\r\n\r\nNo items have been added yet.\r\n") << "\"...\" writes at once";
    EXPECT_EQ(AppProfile().ReadInt("Settings", "ClearHistoryAuto", -1), 0);
    EXPECT_EQ(AppProfile().ReadInt("Settings", "Suggest", -1), 1) << "cleared in the first visit, ticked by Default";
    EXPECT_EQ(AppProfile().ReadInt("Settings", "MaxHistory", -1), 12);
    EXPECT_EQ(ReadRawValue(HKEY_CURRENT_USER, kRunKey, "Velquin"), "") << "start with Windows is off";

    // Opening with the log kept asks nothing at OK; a location typed this time asks, and No keeps the file.
    MessageBoxSeen replace;
    OpenPreferences([&](UiScript& s) { s.Then([&] { Click(dialog, IDOK); }); });
    OpenPreferences([&](UiScript& s) {
        s.Then([&] { SetDlgItemTextW(dialog, IDC_LOG_FILE, Wide(other).c_str()); })
            .Then([&] { Click(dialog, IDOK); })
            .AnswerMessageBox(&replace, IDNO);
    });
    EXPECT_EQ(replace.summary, "Velquin | The file '" + other + "' already exists.  Would you like to replace it? | "
                               "warning | &Yes &No | &No");
    EXPECT_EQ(ReadFile(other), "kept");
    EXPECT_EQ(AppProfile().ReadString("Settings", "LogFile"), other);
    for (const std::string& file : {log, other})
        DeleteFileW(Wide(file).c_str());
}

TEST_F(DialogTest, ThePathEditorAsksBeforeAnotherEntryIsOverwrittenOrRemovedAndARenameKeepsTheTableAndValues)
{
    const std::string lower = "VqTest\xC3\xA9.exe", upper = "VqTest\xC3\x89.exe";  // é and É
    WriteAppPathEntry({"VqTestTool.exe", "C:\\Old\\tool.exe", "C:\\Old"});
    WriteAppPathEntry({"VqTestFrom.exe", "%SystemRoot%\\from.exe", "%SystemRoot%", true, true});
    WriteAppPathEntry({lower, "C:\\e.exe", "C:\\E"});
    WriteAppPathEntry({"VqTestMine.exe", "C:\\m.exe", "C:\\"}, AppPathTable::User);
    WriteAppPathEntry({"VqTestBoth" + lower, "C:\\b.exe", ""}, AppPathTable::Machine);  // one name in both tables
    WriteAppPathEntry({"VqTestBoth" + upper, "C:\\b.exe", ""}, AppPathTable::User);
    const std::string table = kAppPathsKey;
    WriteOtherEntryValues(HKEY_CURRENT_USER, table + "\\VqTestMine.exe");
    WriteOtherEntryValues(HKEY_LOCAL_MACHINE, table + "\\VqTestFrom.exe");
    const DWORD one = 1;
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, (table + "\\VqTestTool.exe").c_str(), "DontUseDesktopChangeRouter", REG_DWORD,
                    &one, sizeof(one));
    CPathEditorDlg editor;
    MessageBoxSeen overwrite, rename, remove;
    std::vector<std::string> seen;  // the tables of the renamed lines, and the machine's spelling of é
    const auto look = [&] {
        const auto names = ListAppPathNames(AppPathTable::Machine);
        seen.push_back(Listed("VqTestMine2.exe") + Listed("VqTestMine.exe") + "| " + Listed(lower) + "| " +
                       (std::count(names.begin(), names.end(), upper) ? "upper " : "") +
                       (std::count(names.begin(), names.end(), lower) ? "lower " : ""));
    };
    Run(editor, "Path Editor", [&](UiScript& s) {
        s.Then([&] { EXPECT_EQ(Listed("VqTestBoth" + lower), "user "); });
        Rename(s, "VqTestMine.exe", "VqTestMine2.exe");  // no other entry of these names: nothing to ask
        Rename(s, lower, upper);
        s.When([] { return !FindThreadDialog("Edit"); }, look).Then([] { RespellAppPathsByCopyOnly(true); });
        Rename(s, upper, lower);
        s.When([] { return !FindThreadDialog("Edit"); }, look).Then([] { RespellAppPathsByCopyOnly(false); });
        s.Then([&] { Click(dialog, IDC_PATH_ADD); });
        FillEntry(s, "VqTestNew.exe", "C:\\New\\new.exe", "C:\\New");
        s.When([&] { return !FindThreadDialog("Add"); }, [&] { Click(dialog, IDC_PATH_ADD); });
        FillEntry(s, "VQTESTTOOL.EXE", "C:\\Newer\\tool.exe", "C:\\Newer");
        s.AnswerMessageBox(&overwrite, IDNO)
            .When([] { return !FindMessageBox(); },
                  [&] {
                      EXPECT_EQ(ReadAppPathEntry("VqTestTool.exe").programPath, "C:\\Old\\tool.exe");
                      Click(entry, IDOK);
                  })
            .AnswerMessageBox(nullptr, IDYES)
            .When([&] { return !FindThreadDialog("Add"); }, [&] { SelectLine(dialog, IDC_PATH_LIST, "VqTestNew.exe"); })
            .When([&] { return Enabled(dialog, IDC_PATH_REMOVE); }, [&] { Click(dialog, IDC_PATH_REMOVE); })
            .AnswerMessageBox(&remove, IDNO)
            .When([] { return !FindMessageBox(); }, [&] { Click(dialog, IDC_PATH_REMOVE); })
            .AnswerMessageBox(nullptr, IDYES)
            .When([] { return !FindMessageBox(); }, [] {});
        Rename(s, "VqTestFrom.exe", "VqTestTool.exe");
        s.AnswerMessageBox(&rename, IDYES)
            .When([&] { return !FindThreadDialog("Edit"); }, [&] {
                EXPECT_EQ(Listed("VqTestNew.exe") + "|" + Listed("VqTestFrom.exe") + "|" + Listed("VqTestTool.exe"),
                          "||machine ");
            });
    });
    EXPECT_EQ(overwrite.summary, kOverwrite);
    EXPECT_EQ(rename.summary, kOverwrite);
    EXPECT_EQ(remove.summary, "Confirm | Are you sure you want to delete this file from your path? | question | "
                                "&Yes &No | &No");
    EXPECT_FALSE(AppPathEntryExists("VqTestNew.exe"));
    EXPECT_EQ(ReadRawValue(HKEY_LOCAL_MACHINE, table + "\\VqTestTool.exe", ""),
              std::string("2 %SystemRoot%\\from.exe") + '\0')
        << "editing keeps the value's type, REG_EXPAND_SZ";
    EXPECT_EQ(OtherEntryValues(HKEY_LOCAL_MACHINE, table + "\\VqTestTool.exe"), kOtherEntryValues);
    EXPECT_EQ(ReadRawValue(HKEY_LOCAL_MACHINE, table + "\\VqTestTool.exe", "DontUseDesktopChangeRouter"), "")
        << "the entry renamed onto it replaced the other";
    EXPECT_EQ(OtherEntryValues(HKEY_CURRENT_USER, table + "\\VqTestMine2.exe"), kOtherEntryValues);
    EXPECT_EQ(seen, (std::vector<std::string>{"user | machine | upper ", "user | machine | lower "}));
    EXPECT_EQ(ReadAppPathEntry(lower).programPath + " " + ReadAppPathEntry(lower).workingDirectory, "C:\\e.exe C:\\E");
}

TEST_F(DialogTest, WithoutRightsToTheMachinesTableThePathEditorUsesTheUsersOwnAndShowsOnlyWhatWasStored)
{
    WriteAppPathEntry({"VqTestShared.exe", "C:\\s.exe", "C:\\"});
    WriteOtherEntryValues(HKEY_LOCAL_MACHINE, std::string(kAppPathsKey) + "\\VqTestShared.exe");
    RefuseAppPathWrites(true);
    CPathEditorDlg editor;
    MessageBoxSeen removeRefused, bothRefused;
    Run(editor, "Path Editor", [&](UiScript& s) {
        s.Then([&] { Click(dialog, IDC_PATH_ADD); });
        FillEntry(s, "VqTestOwn.exe", "C:\\Own\\own.exe", "C:\\Own");
        s.When([&] { return !FindThreadDialog("Add"); },
               [&] {
                   EXPECT_EQ(Listed("VqTestOwn.exe"), "user ");
                   EXPECT_EQ(Listed("VqTestShared.exe"), "machine ");
                   SelectLine(dialog, IDC_PATH_LIST, "VqTestShared.exe");
               })
            .When([&] { return Enabled(dialog, IDC_PATH_REMOVE); }, [&] { Click(dialog, IDC_PATH_REMOVE); })
            .AnswerMessageBox(nullptr, IDYES)
            .AnswerMessageBox(&removeRefused, IDOK)
            .When([] { return !FindMessageBox(); }, [&] { EXPECT_EQ(Listed("VqTestShared.exe"), "machine "); });
        Rename(s, "VqTestShared.exe", "VqTestShared2.exe");  // the new name goes to the user's own table
        s.AnswerMessageBox(nullptr, IDOK)  // the machine's old one stays, as its removal was refused
            .When([] { return !FindMessageBox() && !FindThreadDialog("Edit"); },
                  [&] {
                      EXPECT_EQ(Listed("VqTestShared2.exe") + "| " + Listed("VqTestShared.exe"), "user | machine ");
                      RefuseAppPathWrites(true, true);
                      Click(dialog, IDC_PATH_ADD);
                  });
        FillEntry(s, "VqTestNone.exe", "C:\\n.exe", "C:\\");
        s.AnswerMessageBox(&bothRefused, IDOK)
            .When([&] { return !FindMessageBox(); },
                  [&] {
                      EXPECT_EQ(WindowText(GetDlgItem(entry, IDC_PROGRAM_NAME)), "VqTestNone.exe");
                      PressKey(entry, VK_ESCAPE);
                  })
            .When([&] { return !FindThreadDialog("Add"); }, [&] { EXPECT_EQ(Listed("VqTestNone.exe"), ""); });
    });
    EXPECT_EQ(FindAppPathTable("VqTestOwn.exe"), AppPathTable::User);
    EXPECT_EQ(removeRefused.summary, "Velquin | The entry 'VqTestShared.exe' could not be removed: Windows refused "
                                       "the change to the machine's App Paths.  Ask an administrator to remove it. | "
                                       "warning | OK | OK");
    EXPECT_EQ(bothRefused.text, "The entry 'VqTestNone.exe' could not be saved: Windows refused the change to both "
                                "the machine's App Paths and your own.");
    EXPECT_EQ(OtherEntryValues(HKEY_CURRENT_USER, std::string(kAppPathsKey) + "\\VqTestShared2.exe"),
              kOtherEntryValues);
}

TEST_F(DialogTest, TheHistoryEditorRemovesByTheValueReadAndSaysWhenFindFindsNothing)
{
    int n = 1;
    for (const char* text : {"notepad", "mspaint", "write"})
        AppProfile().WriteString("Velquin MRU", "File #" + std::to_string(n++), text);
    CHistoryEditor editor;
    HWND find = nullptr;
    MessageBoxSeen notFound;
    Run(editor, "Velquin History", [&](UiScript& s) {
        s.Then([&] { SelectLine(dialog, IDC_HISTORY_LIST, "mspaint"); })
            .When([&] { return Enabled(dialog, IDC_HISTORY_REMOVE); }, [&] { Click(dialog, IDC_HISTORY_REMOVE); })
            .Then([&] { Click(dialog, IDC_HISTORY_FIND); })
            .WaitForDialog("Find", &find)
            .Then([&] {
                SetDlgItemTextA(find, IDC_EDIT_FIELD, "calc");
                Click(find, IDOK);
            })
            .AnswerMessageBox(&notFound, IDOK)
            .WaitForDialog("Find", &find)
            .Then([&] { Click(find, IDCANCEL); })
            .When([] { return !FindThreadDialog("Find"); }, [] {});
    });
    EXPECT_EQ(notFound.summary, "Not Found | The entry 'calc' was not found. | information | OK | OK");
    EXPECT_EQ(AppProfile().ValueNames("Velquin MRU"), (std::vector<std::string>{"File #1", "File #3"}));
}
