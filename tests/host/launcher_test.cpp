#include "FakeLauncherWindow.h"
#include "TraceCapture.h"

#include "framework/Text.h"
#include "launcher/HistoryLog.h"
#include "launcher/Launcher.h"
#include "settings/MemoryProfileStore.h"
#include "settings/ProfileLayout.h"
#include "settings/SettingsRecord.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>

using namespace profile;
using Control = LauncherWindow::Control;

namespace {

class FakeSystem : public LaunchSystem {
public:
    std::set<std::string> files;                       // full paths that exist
    std::map<std::string, std::string> appPathDirs;    // entry name -> "Path"
    std::vector<AppPathEntry> written;
    std::vector<OpenRequest> opened;
    OpenResult result{42, 0};
    std::string shortcutTarget;

    bool FindFile(const std::string& pattern, std::string* fullPath) override
    {
        for (const std::string& f : files) {
            if (EqualsNoCase(f, pattern) || EqualsNoCase(f.substr(f.rfind('\\') + 1), pattern)) {
                if (fullPath)
                    *fullPath = f;
                return true;
            }
        }
        return false;
    }
    std::string ResolveShortcut(const std::string&) override { return shortcutTarget; }
    bool IsOnNetwork(const std::string& path) override
    {
        return path.rfind("\\\\", 0) == 0 || path.rfind("N:", 0) == 0;
    }
    // The system's rule as far as the tests need it: A-Z, and the Latin-1 letters.
    bool SameTextIgnoringCase(const std::string& a, const std::string& b) override
    {
        const auto fold = [](std::string text) {
            for (char& c : text) {
                const unsigned char u = static_cast<unsigned char>(c);
                if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7))
                    c = static_cast<char>(u - 0x20);
            }
            return text;
        };
        return fold(a) == fold(b);
    }
    OpenResult Open(const OpenRequest& request) override
    {
        opened.push_back(request);
        return result;
    }
    std::optional<std::string> ReadAppPathWorkingDirectory(const std::string& name) override
    {
        auto found = appPathDirs.find(name);  // the name must match as typed
        if (found == appPathDirs.end())
            return std::nullopt;
        return found->second;
    }
    bool refuseAppPaths = false;
    bool WriteAppPathEntry(const AppPathEntry& entry) override
    {
        written.push_back(entry);
        return !refuseAppPaths;
    }

    std::map<std::string, std::string> shellFolders;
    std::map<std::string, std::string> runHistory;
    std::vector<unsigned> sessionsEnded;
    std::string ReadShellFolder(const std::string& name) override
    {
        auto found = shellFolders.find(name);
        return found == shellFolders.end() ? std::string() : found->second;
    }
    std::string SystemDirectory() override { return "C:\\windows\\system32"; }
    std::string WindowsDirectory() override { return "C:\\windows"; }
    std::string ProgramFolder() override { return "C:\\Program Files\\Velquin"; }
    std::optional<std::string> ReadRunHistoryValue(const std::string& name) override
    {
        auto found = runHistory.find(name);
        if (found == runHistory.end())
            return std::nullopt;
        return found->second;
    }
    void EndSession(unsigned flags) override { sessionsEnded.push_back(flags); }
};

std::string ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class LauncherTest : public ::testing::Test {
protected:
    MemoryProfileStore store;
    FakeCombo combo;
    FakeWindow window{combo};
    FakeSystem system;
    CMRUComboBox history{store};
    Launcher launcher{window, history, system, store};
    std::string logPath = ::testing::TempDir() + "velquin_history_test.log";

    void SetUp() override
    {
        std::remove(logPath.c_str());
        SettingsRecord settings;
        settings.LoadSettings(store);  // first-run defaults: HideOnSuccess 1, tray 1, ShowWindow 1
        history.SetView(&combo);
        SetUpAsHistory(history, 30);
    }
    void TearDown() override { std::remove(logPath.c_str()); }

    void KeepLog()
    {
        store.WriteInt(kSettings, kSaveToFile, 1);
        store.WriteString(kSettings, kLogFile, logPath);
    }
    void Type(const std::string& text) { combo.edit = text; }
};

}  // namespace

TEST_F(LauncherTest, ASuccessRecordsTheTextOnceAndPutsTheWindowAway)
{
    KeepLog();
    history.AddToMRU("write");
    history.AddToMRU("NOTEPAD");
    Type("  notepad  ");
    launcher.OnLaunch();

    ASSERT_EQ(system.opened.size(), 1u);
    EXPECT_EQ(system.opened[0].program, "notepad");
    EXPECT_EQ(system.opened[0].parameters, "");
    EXPECT_EQ(system.opened[0].showCommand, 1);

    EXPECT_EQ(combo.items, (std::vector<std::string>{"notepad", "write"}));
    EXPECT_EQ(store.ReadString(kHistory, "File #1"), "notepad");
    EXPECT_EQ(store.ReadString(kSettings, kConfig), "Not Cleared");
    EXPECT_EQ(launcher.historyState, "Not Cleared");
    EXPECT_EQ(ReadBytes(logPath), "[Velquin History]\r\n\r\nFile #1: notepad\r\nFile #2: write\r\n");
    EXPECT_TRUE(window.enabled[Control::ClearHistory]);
    EXPECT_TRUE(window.focused);
    EXPECT_EQ(window.selection, std::make_pair(0, 7));
    EXPECT_EQ(combo.edit, "notepad");
    EXPECT_EQ(window.shown, ui::Show::Hide);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(LauncherTest, ATextTooLongToStoreIsLaunchedButNeverReplacesOrRepeatsAnEntry)
{
    // What Browse sets: a 259-character path with a blank, put in quotes.
    const std::string path = "C:\\Some Folder\\" + std::string(259 - 19, 'x') + ".exe";
    ASSERT_EQ(path.size(), 259u);
    history.AddToMRU("write");
    history.AddToMRU("notepad");
    Type("\"" + path + "\"");
    const TraceCapture trace;
    launcher.OnLaunch();

    ASSERT_EQ(system.opened.size(), 1u);
    EXPECT_EQ(system.opened[0].program, path);
    EXPECT_EQ(combo.items, (std::vector<std::string>{"notepad", "write"}));
    EXPECT_EQ(store.ReadString(kHistory, "File #1"), "notepad");
    EXPECT_EQ(store.ReadString(kHistory, "File #2"), "write");
    EXPECT_FALSE(store.Contains(kHistory, "File #3"));
    EXPECT_EQ(trace.Lines(), (std::vector<std::string>{
                                 "CMRUComboBox -- AddToMRU() - text longer than 259 characters not added: "
                                 "the profile cannot hold it.\n"}));
}

TEST_F(LauncherTest, PuttingAwayHidesOnlyWhenAnIconCanBringTheWindowBack)
{
    Type("notepad");
    window.trayIcon = false;  // the preference says tray, but no icon was made
    launcher.OnLaunch();
    EXPECT_EQ(window.shown, ui::Show::Minimize);

    store.WriteInt(kSettings, kPutIconInTray, 0);
    window.trayIcon = true;
    launcher.HideOrMinimize();
    EXPECT_EQ(window.shown, ui::Show::Minimize);

    store.WriteInt(kSettings, kPutIconInTray, 1);
    launcher.HideOrMinimize();
    EXPECT_EQ(window.shown, ui::Show::Hide);

    window.shows.clear();
    store.WriteInt(kSettings, kHideOnSuccess, 0);
    launcher.OnLaunch();
    EXPECT_TRUE(window.shows.empty()) << "the window stays as it is";
}

TEST_F(LauncherTest, AFailureShowsItsMessageAndChangesNothing)
{
    KeepLog();
    WriteLogFile(logPath, "before");
    history.AddToMRU("write");
    store.WriteString(kSettings, kConfig, "Cleared");
    Type(" notepad \"C:\\My Files\\a.txt\" ");
    system.result = {2, 2};
    launcher.OnLaunch();

    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text,
              "Could not find the file 'C:\\My Files\\a.txt' (or one of its components).  Check your path and make "
              "sure that all required libraries are available.");
    EXPECT_EQ(window.messages[0].caption, "C:\\My Files\\a.txt");
    EXPECT_EQ(window.messages[0].style, ui::kIconError);
    EXPECT_TRUE(window.messages[0].windowHidden);
    EXPECT_EQ(window.shows, (std::vector<ui::Show>{ui::Show::Hide, ui::Show::Normal}));
    EXPECT_TRUE(window.focused);

    EXPECT_EQ(combo.edit, "notepad \"C:\\My Files\\a.txt\"") << "only trimmed";
    EXPECT_EQ(combo.items, (std::vector<std::string>{"write"}));
    EXPECT_EQ(store.ReadString(kSettings, kConfig), "Cleared");
    EXPECT_EQ(ReadBytes(logPath), "before");
    EXPECT_TRUE(system.written.empty());
}

TEST_F(LauncherTest, TheOutcomeIsTheReturnValueAndTheLastErrorOnlyNamesAFailure)
{
    struct Case {
        OpenResult result;
        const char* expected;  // the start of the message, or "" for success
    };
    const Case cases[] = {
        {{42, 2}, ""},                                   // a stale code on success
        {{33, 1155}, ""},
        {{3, 3}, "Could not find the file 'x'"},          // a missing folder
        {{2, 2}, "Could not find the file 'x'"},
        {{32, 0}, "Could not find the file 'x'"},          // a DLL not found
        {{5, 0}, "Access was denied to the file 'x'."},
        {{2, 5}, "Access was denied to the file 'x'."},  // the last error names it
        {{0, 0}, "The system is out of resources."},
        {{8, 8}, "The system is out of resources."},
        {{26, 0}, "A sharing violation has occured. 'x' might be in use."},
        {{2, 32}, "A sharing violation has occured."},
        {{11, 0}, "x is not a valid Win32 application."},
        {{2, 193}, "x is not a valid Win32 application."},
        {{31, 0}, "'x' does not have a program associated"},
        {{27, 0}, "'x' does not have a program associated"},
        {{29, 0}, "'x' does not have a program associated"},
        {{31, 1155}, "'x' does not have a program associated"},
    };
    for (const Case& c : cases) {
        window.messages.clear();
        system.result = c.result;
        Type("x");
        launcher.OnLaunch();
        const std::string context = std::to_string(c.result.returnValue) + "/" + std::to_string(c.result.lastError);
        if (*c.expected == '\0') {
            EXPECT_TRUE(window.messages.empty()) << context;
        } else {
            ASSERT_EQ(window.messages.size(), 1u) << context;
            EXPECT_EQ(window.messages[0].text.rfind(c.expected, 0), 0u) << context << ": " << window.messages[0].text;
        }
    }
    EXPECT_EQ(FailureMessage(LaunchFailure::OutOfMemory, "x"),
              "The system is out of resources.  Quit all running programs and try again.");
    EXPECT_EQ(FailureMessage(LaunchFailure::NoAssociation, "a.xyz"),
              "'a.xyz' does not have a program associated with it for performing this action.  Create an "
              "association in My Computer be clicking View and then Folder Options.");
}

TEST_F(LauncherTest, TheWorkingDirectoryComesFromTheProgramsFolderOrItsAppPathsEntry)
{
    system.appPathDirs = {{"notepad", "C:\\Editors"}, {"notepad.exe", "C:\\Other"}};
    Type("notepad");
    launcher.OnLaunch();
    EXPECT_EQ(system.opened.back().directory, "C:\\Editors");

    Type("\"C:\\Program Files\\App\\app.exe\" -x");
    launcher.OnLaunch();
    EXPECT_EQ(system.opened.back().program, "C:\\Program Files\\App\\app.exe");
    EXPECT_EQ(system.opened.back().parameters, " -x");
    EXPECT_EQ(system.opened.back().directory, "C:\\Program Files\\App");

    Type("C:\\x.exe");
    launcher.OnLaunch();
    EXPECT_EQ(system.opened.back().directory, "C:\\");  // "C:" alone would be drive C's current folder

    system.files = {"C:\\Work\\notepad"};  // found as a file: no App Paths lookup
    Type("notepad");
    launcher.OnLaunch();
    EXPECT_EQ(system.opened.back().directory, "");
}

TEST_F(LauncherTest, AddToMyPathEntersTheLaunchedFileOnlyWhenCheckedAndArmed)
{
    system.files = {"C:\\Tools\\tool.exe"};
    Type("C:\\Tools\\tool.exe");
    window.checked = true;
    launcher.OnLaunch();
    EXPECT_TRUE(system.written.empty()) << "not armed";
    EXPECT_EQ(launcher.checkBoxValue, 1);

    launcher.addToPathArmed = 1;
    launcher.OnLaunch();
    ASSERT_EQ(system.written.size(), 1u);
    EXPECT_EQ(system.written[0].name, "tool.exe");
    EXPECT_EQ(system.written[0].programPath, "C:\\Tools\\tool.exe");
    EXPECT_EQ(system.written[0].workingDirectory, "C:\\Tools");

    Type("notepad");  // found nowhere: nothing entered
    launcher.OnLaunch();
    EXPECT_EQ(system.written.size(), 1u);

    window.checked = false;
    Type("C:\\Tools\\tool.exe");
    launcher.OnLaunch();
    EXPECT_EQ(system.written.size(), 1u);
    EXPECT_EQ(launcher.checkBoxValue, 0);
    EXPECT_TRUE(window.messages.empty());

    window.checked = true;  // neither App Paths table takes it: the user is told
    system.refuseAppPaths = true;
    launcher.OnLaunch();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "The entry 'tool.exe' could not be saved: Windows refused the change to both "
                                       "the machine's App Paths and your own.");
    EXPECT_EQ(window.messages[0].caption, "Velquin");
    EXPECT_EQ(window.messages[0].style, 0x30u);
}

TEST(AppPathTables, ANameInBothIsListedOnceAsTheUsers)
{
    const std::vector<ListedAppPath> listed =
        MergeAppPathNames({"notepad.exe", "Tool.exe", "wordpad.exe"}, {"TOOL.EXE", "mine.exe"});
    std::vector<std::string> lines;
    for (const ListedAppPath& entry : listed)
        lines.push_back(entry.name + (entry.table == AppPathTable::User ? " (user)" : ""));
    EXPECT_EQ(lines, (std::vector<std::string>{"TOOL.EXE (user)", "mine.exe (user)", "notepad.exe", "wordpad.exe"}));
}

TEST_F(LauncherTest, RecordingRemovesTheEntryThatMatchesEvenAfterGaps)
{
    // The history editor leaves gaps: slot 1 is empty, so drop-down item 1 is slot 2.
    store.WriteString(kHistory, "File #1", "mspaint");
    store.WriteString(kHistory, "File #3", "NOTEPAD");
    store.WriteString(kHistory, "File #4", "write");
    history.LoadMRU();
    history.RefreshCtrl();
    Type("notepad");
    launcher.RecordInHistory();
    EXPECT_EQ(combo.items, (std::vector<std::string>{"notepad", "mspaint", "write"}));
    EXPECT_EQ(store.ValueNames(kHistory).size(), 3u);

    // Beyond A-Z the system's own rule decides: \xE4 and \xC4 are one letter (ä, Ä).
    Type("C:\\\xE4rger.exe");
    launcher.RecordInHistory();
    Type("c:\\\xC4RGER.EXE");
    launcher.RecordInHistory();
    EXPECT_EQ(combo.items, (std::vector<std::string>{"c:\\\xC4RGER.EXE", "notepad", "mspaint", "write"}));
}

TEST_F(LauncherTest, ImportSkipsACommandTheHistoryHoldsInOtherLetterCase)
{
    system.runHistory = {{"MRUList", "a"}, {"a", "\xE4rger.exe\\1"}};
    history.AddToMRU("\xC4RGER.EXE");
    launcher.ImportRunHistory();
    EXPECT_EQ(combo.items, (std::vector<std::string>{"\xC4RGER.EXE"}));
}

TEST_F(LauncherTest, OpenLastItemLaunchesTheNewestEntryOrSaysThereIsNone)
{
    launcher.OnOpenLastItem();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "There is no item to open.");
    EXPECT_EQ(window.messages[0].caption, "Velquin");
    EXPECT_EQ(window.messages[0].style, ui::kIconExclamation);
    EXPECT_TRUE(system.opened.empty());

    history.AddToMRU("write  ");
    history.AddToMRU("\"C:\\Program Files\\App\\app.exe\" -x");
    Type("\"C:\\Program Files\\App\\app.exe\" -x");
    launcher.OnOpenLastItem();
    ASSERT_EQ(system.opened.size(), 1u);
    EXPECT_EQ(system.opened[0].program, "C:\\Program Files\\App\\app.exe");
    EXPECT_EQ(system.opened[0].parameters, " -x");
}

TEST_F(LauncherTest, AQuotedShortcutIsLaunchedAsItsTarget)
{
    system.shortcutTarget = "C:\\PROGRA~1\\APP\\APP.EXE";
    Type("\"C:\\Links\\App.lnk\"");
    launcher.OnLaunch();
    EXPECT_EQ(system.opened.back().program, "C:\\PROGRA~1\\APP\\APP.EXE");
    EXPECT_EQ(launcher.shortcutTarget, "C:\\PROGRA~1\\APP\\APP.EXE");
    EXPECT_EQ(combo.items.front(), "\"C:\\Links\\App.lnk\"") << "the history keeps what was typed";
}

TEST_F(LauncherTest, ClearHistoryAsksFirstAndClearingQuietlyDoesNot)
{
    history.AddToMRU("notepad");
    Type("typed");
    window.answer = ui::kAnswerNo;
    launcher.ClearHistory();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text,
              "This action will delete all items in your history folder.  Do you wish to continue?");
    EXPECT_EQ(window.messages[0].style, ui::kYesNo | ui::kIconQuestion | ui::kDefaultButton2);
    EXPECT_EQ(combo.items.size(), 1u);
    EXPECT_TRUE(window.enabled[Control::ClearHistory]);

    window.answer = ui::kAnswerYes;
    launcher.ClearHistory();
    EXPECT_TRUE(combo.items.empty());
    EXPECT_EQ(combo.edit, "typed");
    EXPECT_TRUE(store.ValueNames(kHistory).empty());
    EXPECT_FALSE(window.enabled[Control::ClearHistory]);
    EXPECT_EQ(store.ReadString(kSettings, kConfig), "Cleared");
    EXPECT_TRUE(window.focused);

    history.AddToMRU("write");
    window.enabled[Control::ClearHistory] = true;
    window.focused = false;
    launcher.ClearHistoryQuietly();
    EXPECT_TRUE(combo.items.empty());
    EXPECT_FALSE(window.enabled[Control::ClearHistory]);
    EXPECT_FALSE(window.focused);
    EXPECT_EQ(store.ValueNames(kHistory).size(), 1u) << "written only when the box goes";
    EXPECT_EQ(launcher.ReadHistoryState(), "Cleared");
}

TEST_F(LauncherTest, ControlRulesFollowTheTypedText)
{
    system.files = {"C:\\Windows", "C:\\My Files\\a.txt"};
    launcher.storedAddToPath = 1;

    Type("");
    launcher.OnEditChange();
    EXPECT_FALSE(window.enabled[Control::Ok]);
    EXPECT_FALSE(window.enabled[Control::AddToPath]);

    Type("n");
    launcher.OnEditChange();
    EXPECT_TRUE(window.enabled[Control::Ok]);
    EXPECT_TRUE(window.enabled[Control::Clear]);
    EXPECT_FALSE(window.enabled[Control::AddToPath]);

    Type("C:\\Windows\\");
    launcher.OnEditChange();
    EXPECT_TRUE(window.enabled[Control::AddToPath]);
    EXPECT_TRUE(window.checked);
    EXPECT_EQ(launcher.addToPathArmed, 0) << "only UpdateControlStates arms";

    Type("\"C:\\My Files\\a.txt\" \"arg\"");
    launcher.OnEditChange();
    EXPECT_FALSE(window.enabled[Control::AddToPath]);
    EXPECT_FALSE(window.checked);

    // UpdateControlStates leaves OK and Clear alone for an existing entry, and arms.
    Type("  \"C:\\My Files\\a.txt\"  ");
    window.enabled[Control::Ok] = false;
    launcher.UpdateControlStates();
    EXPECT_FALSE(window.enabled[Control::Ok]);
    EXPECT_TRUE(window.enabled[Control::AddToPath]);
    EXPECT_EQ(launcher.addToPathArmed, 1);

    launcher.storedAddToPath = 0;
    launcher.UpdateControlStates();
    EXPECT_FALSE(window.checked);

    Type("   ");
    launcher.UpdateControlStates();
    EXPECT_FALSE(window.enabled[Control::Ok]);
    EXPECT_FALSE(window.enabled[Control::Clear]);
    EXPECT_FALSE(window.enabled[Control::AddToPath]);
    EXPECT_EQ(launcher.addToPathArmed, 1) << "never disarmed";

    // The selection rule enables OK and Clear always, and judges the item untrimmed.
    launcher.OnSelectItem(" C:\\Windows");
    EXPECT_TRUE(window.enabled[Control::Ok]);
    EXPECT_TRUE(window.enabled[Control::Clear]);
    EXPECT_FALSE(window.enabled[Control::AddToPath]);
    launcher.storedAddToPath = 1;
    launcher.OnSelectItem("C:\\Windows");
    EXPECT_TRUE(window.enabled[Control::AddToPath]);
    EXPECT_TRUE(window.checked);
}

TEST_F(LauncherTest, ANetworkTextIsSearchedOncePerChangeAwayFromTheWindow)
{
    const std::string share = "\\\\gone\\share\\x.exe";
    system.files = {share, "N:\\tools", "C:\\Windows"};
    launcher.storedAddToPath = 1;

    Type(share);
    launcher.OnEditChange();
    launcher.UpdateControlStates();  // a mouse move: the same text, no second search
    EXPECT_EQ(window.backgroundChecks, std::vector<std::string>{share});
    EXPECT_TRUE(window.enabled[Control::Ok]);
    EXPECT_FALSE(window.enabled[Control::AddToPath]) << "missing until the worker says otherwise";

    launcher.OnExistenceChecked(share, true);
    EXPECT_TRUE(window.enabled[Control::AddToPath]);
    EXPECT_TRUE(window.checked);

    Type("N:\\tools\\");
    launcher.OnEditChange();
    launcher.OnExistenceChecked(share, true);  // a late answer about the earlier text changes nothing
    EXPECT_FALSE(window.enabled[Control::AddToPath]);
    launcher.OnExistenceChecked("N:\\tools", false);
    EXPECT_FALSE(window.enabled[Control::AddToPath]);

    Type(share);  // a new change: searched again
    launcher.OnEditChange();
    Type("C:\\Windows");  // a local path is found at once
    launcher.OnEditChange();
    EXPECT_EQ(window.backgroundChecks, (std::vector<std::string>{share, "N:\\tools", share}));
    EXPECT_TRUE(window.enabled[Control::AddToPath]);
}

TEST(HistoryLog, HasItsExactBytes)
{
    EXPECT_EQ(HistoryLogText({"notepad", "write"}),
              "[Velquin History]\r\n\r\nFile #1: notepad\r\nFile #2: write\r\n");
    EXPECT_EQ(HistoryLogText({}), "[Velquin History]\r\n\r\n");
    EXPECT_EQ(PlaceholderLogText(), "[Velquin History]\r\n\r\nNo items have been added yet.\r\n");

    std::vector<std::string> entries;
    for (int i = 1; i <= 10; ++i)
        entries.push_back("e" + std::to_string(i));
    entries[3] = "notepad \"C:\\My Files\\a.txt\"";
    const std::string text = HistoryLogText(entries);
    EXPECT_NE(text.find("\r\nFile #9: e9\r\nFile #10: e10\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nFile #4: notepad \"C:\\My Files\\a.txt\"\r\n"), std::string::npos);
}

TEST_F(LauncherTest, TheLogIsLeftAloneWhenNotKeptAndAnUnwritableOneIsNoError)
{
    Type("notepad");
    store.WriteString(kSettings, kLogFile, logPath);
    launcher.OnLaunch();  // SaveToFile is 0
    EXPECT_EQ(ReadBytes(logPath), "");

    store.WriteInt(kSettings, kSaveToFile, 1);
    store.WriteString(kSettings, kLogFile, ::testing::TempDir() + "no such folder/x.log");
    launcher.OnLaunch();
    EXPECT_EQ(system.opened.size(), 2u);
    EXPECT_FALSE(WriteLogFile("", "x"));
}

namespace {

const ProgramCommand& Program(const char* name)
{
    for (const ProgramCommand& c : kProgramCommands) {
        if (std::string(c.program) == name)
            return c;
    }
    throw std::logic_error(name);
}

const FolderCommand& Folder(int index)
{
    return kFolderCommands[index];
}

}  // namespace

TEST_F(LauncherTest, ProgramsReportARealFailureOnlyAndAlwaysTakeTheHideStep)
{
    store.WriteInt(kSettings, kShowWindow, 3);
    store.WriteInt(kSettings, kPutIconInTray, 0);
    system.result = {42, 2};  // started, with a stale error code left behind
    launcher.RunProgram(Program("notepad"));
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(system.opened.back().program, "notepad");
    EXPECT_EQ(system.opened.back().parameters, "");
    EXPECT_EQ(system.opened.back().directory, "");
    EXPECT_EQ(system.opened.back().showCommand, 3);
    EXPECT_EQ(window.shows, (std::vector<ui::Show>{ui::Show::Minimize}));

    system.result = {2, 0};  // not found, and no error code to say so
    window.shows.clear();
    launcher.RunProgram(Program("notepad"));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "There was a failure launching Notepad.");
    EXPECT_EQ(window.messages[0].caption, "Error");
    EXPECT_EQ(window.messages[0].style, ui::kIconError);
    EXPECT_EQ(window.shows, (std::vector<ui::Show>{ui::Show::Minimize})) << "after the message";

    launcher.RunProgram(Program("explorer"));
    launcher.RunProgram(Program("regedit"));
    EXPECT_EQ(window.messages.size(), 1u) << "these two never report";

    store.WriteInt(kSettings, kHideOnSuccess, 0);
    window.shows.clear();
    launcher.RunProgram(Program("mspaint"));
    EXPECT_TRUE(window.shows.empty());
}

TEST_F(LauncherTest, FoldersHideBeforeAfterOrNotAtAll)
{
    system.shellFolders = {{"Desktop", "C:\\users\\me\\Desktop"}};
    store.WriteInt(kSettings, kShowWindow, 2);
    struct Probe : FakeSystem {
        FakeWindow* window = nullptr;
        std::vector<ui::Show> shownAtOpen;
        OpenResult Open(const OpenRequest& request) override
        {
            shownAtOpen.push_back(window->shown);
            return FakeSystem::Open(request);
        }
    } probe;
    probe.window = &window;
    probe.shellFolders = system.shellFolders;
    Launcher withProbe{window, history, probe, store};

    withProbe.OpenFolder(Folder(0));  // Desktop
    EXPECT_EQ(probe.opened.back().program, "C:\\users\\me\\Desktop");
    EXPECT_EQ(probe.opened.back().showCommand, 2);
    EXPECT_EQ(probe.shownAtOpen.back(), ui::Show::Hide) << "hidden before opening";
    EXPECT_TRUE(window.focused);

    window.shown = ui::Show::Normal;
    withProbe.OpenFolder(Folder(7));  // System Directory
    EXPECT_EQ(probe.opened.back().program, "C:\\windows\\system32");
    EXPECT_EQ(probe.shownAtOpen.back(), ui::Show::Normal);
    EXPECT_EQ(window.shown, ui::Show::Hide) << "hidden after opening";

    window.shown = ui::Show::Normal;
    withProbe.OpenFolder(Folder(8));  // Windows Directory
    EXPECT_EQ(probe.opened.back().program, "C:\\windows");
    EXPECT_EQ(window.shown, ui::Show::Normal) << "never hidden";

    const size_t opened = probe.opened.size();
    withProbe.OpenFolder(Folder(1));  // Favorites: not in the registry
    EXPECT_EQ(probe.opened.size(), opened) << "nothing to open";
}

TEST_F(LauncherTest, TheReadmeGoesDownItsChainOnlyPastMissingPrograms)
{
    struct Chain : FakeSystem {
        std::map<std::string, OpenResult> results;
        OpenResult Open(const OpenRequest& request) override
        {
            FakeSystem::Open(request);
            return results.count(request.program) ? results[request.program] : OpenResult{42, 0};
        }
    } chain;
    Launcher readme{window, history, chain, store};

    chain.results = {{"winword", {2, 2}}, {"wordpad", {2, 0}}};
    readme.DisplayReadme();
    ASSERT_EQ(chain.opened.size(), 3u);
    EXPECT_EQ(chain.opened[0].program, "winword");
    EXPECT_EQ(chain.opened[0].parameters, "Readme.doc");
    EXPECT_EQ(chain.opened[1].program, "wordpad");
    EXPECT_EQ(chain.opened[2].program, "notepad");
    EXPECT_EQ(chain.opened[2].parameters, "Readme.txt");
    EXPECT_EQ(chain.opened[2].directory, "C:\\Program Files\\Velquin");
    EXPECT_EQ(chain.opened[2].showCommand, 1);
    EXPECT_EQ(window.shown, ui::Show::Minimize);
    EXPECT_TRUE(window.messages.empty());

    chain.opened.clear();
    chain.results = {{"winword", {42, 2}}};  // started; a stale code does not send it further
    readme.DisplayReadme();
    EXPECT_EQ(chain.opened.size(), 1u);

    chain.opened.clear();
    chain.results = {{"winword", {5, 5}}};  // there but refused: not a missing program
    readme.DisplayReadme();
    EXPECT_EQ(chain.opened.size(), 1u);
}

TEST_F(LauncherTest, EndingTheSessionAsksThenExitsThenEnds)
{
    const SessionCommand& logOff = kSessionCommands[0];
    const SessionCommand& restart = kSessionCommands[1];
    const SessionCommand& shutdown = kSessionCommands[2];

    window.answer = ui::kAnswerNo;
    launcher.EndSession(restart);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "Are you sure you want to restart?");
    EXPECT_EQ(window.messages[0].caption, "Restart Windows");
    EXPECT_EQ(window.messages[0].style, ui::kYesNo | ui::kIconQuestion);
    EXPECT_EQ(window.exits, 0);
    EXPECT_TRUE(system.sessionsEnded.empty());

    window.answer = ui::kAnswerYes;
    launcher.EndSession(logOff);
    launcher.EndSession(restart);
    launcher.EndSession(shutdown);
    EXPECT_EQ(window.messages[1].text, "Are you sure you want to log off?");
    EXPECT_EQ(window.messages[1].caption, "Log Off Windows");
    EXPECT_EQ(window.messages[3].text, "Are you sure you want to shutdown?");
    EXPECT_EQ(window.messages[3].caption, "Shutdown Windows");
    EXPECT_EQ(window.exits, 3);
    EXPECT_EQ(system.sessionsEnded, (std::vector<unsigned>{0, 6, 5}));

    store.WriteInt(kSettings, kPromptOnShutDown, 0);
    window.messages.clear();
    launcher.EndSession(shutdown);
    EXPECT_TRUE(window.messages.empty()) << "no question when the user turned it off";
    EXPECT_EQ(system.sessionsEnded.back(), 5u);
}

TEST_F(LauncherTest, ImportAddsTheRunBoxCommandsOldestLastWithoutDuplicates)
{
    KeepLog();
    system.runHistory = {{"MRUList", "bcad"},
                         {"b", "calc\\1"},
                         {"c", "nobackslash"},
                         {"a", "C:\\Tools\\tool.exe -x\\1"},
                         {"d", "NOTEPAD\\1"}};
    history.AddToMRU("notepad");
    launcher.ImportRunHistory();

    EXPECT_EQ(combo.items, (std::vector<std::string>{"C:\\Tools\\tool.exe -x", "calc", "notepad"}));
    EXPECT_EQ(combo.edit, "NOTEPAD") << "an empty box gets the last command read";
    EXPECT_EQ(store.ReadString(kSettings, kConfig), "Not Cleared");
    EXPECT_EQ(ReadBytes(logPath),
              "[Velquin History]\r\n\r\nFile #1: C:\\Tools\\tool.exe -x\r\nFile #2: calc\r\nFile #3: notepad\r\n");
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "Run history has been added to your history folder.");
    EXPECT_EQ(window.messages[0].style, ui::kIconInformation);

    combo.edit = "typed";
    launcher.ImportRunHistory();
    EXPECT_EQ(combo.items.size(), 3u) << "nothing new the second time";
    EXPECT_EQ(combo.edit, "typed");
    EXPECT_EQ(window.messages.size(), 2u);
}

TEST_F(LauncherTest, ImportWithoutARunHistoryChangesNothingButSaysSo)
{
    store.WriteString(kSettings, kConfig, "Cleared");
    launcher.ReadHistoryState();
    launcher.ImportRunHistory();
    EXPECT_TRUE(combo.items.empty());
    EXPECT_EQ(store.ReadString(kSettings, kConfig), "Cleared");
    EXPECT_EQ(window.messages.size(), 1u);
}

TEST(ShellCommands, TheBrowseFilterAndPathQuoting)
{
    EXPECT_EQ(std::string(kBrowseFilter).size(), 343u);
    EXPECT_EQ(QuoteIfBlank("C:\\My Files\\a.txt"), "\"C:\\My Files\\a.txt\"");
    EXPECT_EQ(QuoteIfBlank("C:\\Tools\\a.exe"), "C:\\Tools\\a.exe");
    EXPECT_EQ(RunHistoryCommand("C:\\Tools\\tool.exe\\1"), "C:\\Tools\\tool.exe");
    EXPECT_EQ(RunHistoryCommand("calc"), "");
}
