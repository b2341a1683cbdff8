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
    void WriteAppPathEntry(const AppPathEntry& entry) override { written.push_back(entry); }
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
    EXPECT_EQ(system.opened.back().directory, "C:");

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
