// Real launches through the shell: the recorder program, shortcuts, App Paths and real failures.
#include "FakeLauncherWindow.h"
#include "TestSupport.h"

#include "launcher/Launcher.h"
#include "launcher/ShellLaunch.h"
#include "paths/AppPaths.h"
#include "settings/ProfileLayout.h"
#include "settings/SettingsRecord.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

using namespace profile;

namespace {

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

bool SamePath(const std::string& a, const std::string& b)
{
    char longA[MAX_PATH] = {}, longB[MAX_PATH] = {};
    GetLongPathNameA(a.c_str(), longA, MAX_PATH);
    GetLongPathNameA(b.c_str(), longB, MAX_PATH);
    return lstrcmpiA(longA, longB) == 0;
}

void MakeShortcut(const std::string& shortcut, const std::string& target)
{
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                           reinterpret_cast<void**>(&link))));
    link->SetPath(target.c_str());
    IPersistFile* file = nullptr;
    ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
    WCHAR wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, shortcut.c_str(), -1, wide, MAX_PATH);
    EXPECT_TRUE(SUCCEEDED(file->Save(wide, TRUE)));
    file->Release();
    link->Release();
}

// The launch with the real shell, the real registry and a window in memory.
class RealLaunch : public ::testing::Test {
protected:
    CleanProfile clean;
    TestApp app;
    FakeCombo combo;
    FakeWindow window{combo};
    ShellLaunchSystem system;
    CMRUComboBox history{AppProfile()};
    Launcher launcher{window, history, system, AppProfile()};
    std::string folder = TempPath("Velquin Launch " + std::to_string(GetCurrentProcessId()));
    std::string spaced = folder + "\\Sub Folder";
    std::string record = folder + "\\record.txt";
    std::string recorder = std::getenv("VELQUIN_RECORDER") ? std::getenv("VELQUIN_RECORDER") : "recorder.exe";

    void SetUp() override
    {
        CreateDirectoryA(folder.c_str(), nullptr);
        CreateDirectoryA(spaced.c_str(), nullptr);
        SetEnvironmentVariableA("VELQUIN_RECORD", record.c_str());
        SettingsRecord settings;
        settings.LoadSettings(AppProfile());  // the first-run record, before a test changes single values
        AppProfile().WriteInt(kSettings, kHideOnSuccess, 0);
        history.SetView(&combo);
        SetUpAsHistory(history, 30);
    }
    void TearDown() override
    {
        SetEnvironmentVariableA("VELQUIN_RECORD", nullptr);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string(kAppPathsKey) + "\\vqrecorder.exe").c_str());
        // Everything made here goes; the folder last.
        for (const char* name : {"\\record.txt", "\\rec.exe", "\\Sub Folder\\rec.exe", "\\App.lnk",
                                 "\\Sub Folder\\App.lnk", "\\history.log", "\\data.vqunknown", "\\fake.exe"})
            DeleteFileA((folder + name).c_str());
        RemoveDirectoryA(spaced.c_str());
        RemoveDirectoryA(folder.c_str());
    }

    // The recorder's first line (its command line) and second (its working directory).
    std::pair<std::string, std::string> WaitForRecord()
    {
        for (int i = 0; i < 200; ++i) {
            const std::string text = ReadFile(record);
            const size_t first = text.find('\n');
            if (first != std::string::npos && text.find('\n', first + 1) != std::string::npos) {
                DeleteFileA(record.c_str());
                return {text.substr(0, first), text.substr(first + 1, text.find('\n', first + 1) - first - 1)};
            }
            Sleep(50);
        }
        ADD_FAILURE() << "the recorder did not run";
        return {};
    }

    std::string CopyRecorder(const std::string& to)
    {
        EXPECT_TRUE(CopyFileA(recorder.c_str(), to.c_str(), FALSE)) << to;
        return to;
    }

    void Launch(const std::string& typed)
    {
        combo.edit = typed;
        launcher.OnLaunch();
    }
};

}  // namespace

TEST_F(RealLaunch, AQuotedPathWithBlanksStartsInItsFolderWithItsArgument)
{
    const std::string program = CopyRecorder(spaced + "\\rec.exe");
    Launch("\"" + program + "\" -x");
    const auto run = WaitForRecord();
    EXPECT_NE(run.first.find(" -x"), std::string::npos) << run.first;
    EXPECT_TRUE(SamePath(run.second, spaced)) << run.second;
    EXPECT_TRUE(window.messages.empty());

    // The success is recorded: history, marker.
    EXPECT_EQ(combo.items, (std::vector<std::string>{"\"" + program + "\" -x"}));
    EXPECT_EQ(AppProfile().ReadString(kHistory, "File #1"), "\"" + program + "\" -x");
    EXPECT_EQ(AppProfile().ReadString(kSettings, kConfig), "Not Cleared");
}

TEST_F(RealLaunch, AProgramFoundInAppPathsStartsInTheEntrysFolder)
{
    WriteAppPathEntry({"vqrecorder.exe", recorder, spaced});
    Launch("vqrecorder.exe");
    const auto run = WaitForRecord();
    EXPECT_TRUE(SamePath(run.second, spaced)) << run.second;
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(RealLaunch, AProgramAtADrivesRootStartsThere)
{
    const std::string program = CopyRecorder("C:\\vqrecorder.exe");
    Launch(program);
    const auto run = WaitForRecord();
    DeleteFileA(program.c_str());
    EXPECT_EQ(run.second, "C:\\");
}

TEST_F(RealLaunch, ShortcutsAreResolvedQuotedOrNot)
{
    const std::string program = CopyRecorder(folder + "\\rec.exe");
    const std::string shortcut = spaced + "\\App.lnk";
    MakeShortcut(shortcut, program);

    Launch("\"" + shortcut + "\" one");
    auto run = WaitForRecord();
    EXPECT_TRUE(SamePath(launcher.shortcutTarget, program)) << launcher.shortcutTarget;
    EXPECT_NE(run.first.find(" one"), std::string::npos) << run.first;

    launcher.shortcutTarget.clear();
    Launch(shortcut + " two");
    run = WaitForRecord();
    EXPECT_TRUE(SamePath(launcher.shortcutTarget, program)) << launcher.shortcutTarget;
    EXPECT_NE(run.first.find(" two"), std::string::npos) << run.first;
    EXPECT_EQ(combo.items.front(), shortcut + " two");
}

TEST_F(RealLaunch, RealFailuresGetTheirMessagesAndChangeNothing)
{
    AppProfile().WriteInt(kSettings, kSaveToFile, 1);
    AppProfile().WriteString(kSettings, kLogFile, folder + "\\history.log");
    WriteFile(folder + "\\history.log", "before");
    WriteFile(folder + "\\data.vqunknown", "x");
    WriteFile(folder + "\\fake.exe", "this is text, not a program");

    struct Case {
        std::string path;
        std::vector<std::string> messages;  // any one of them
    };
    const std::string missing = folder + "\\missing.exe";
    const std::string noFolder = folder + "\\No Such Folder\\x.txt";
    const std::string unknown = folder + "\\data.vqunknown";
    const std::string fake = folder + "\\fake.exe";
    const Case cases[] = {
        {missing, {FailureMessage(LaunchFailure::FileNotFound, missing)}},
        {noFolder, {FailureMessage(LaunchFailure::FileNotFound, noFolder)}},
        // Windows names a missing association by its last error; Wine reports "bad format" beside the
        // shell's own "no association".
        {unknown,
         {FailureMessage(LaunchFailure::NoAssociation, unknown), FailureMessage(LaunchFailure::BadFormat, unknown)}},
        {fake, {FailureMessage(LaunchFailure::BadFormat, fake)}},
    };
    EXPECT_EQ(FailureMessage(LaunchFailure::BadFormat, fake), fake + " is not a valid Win32 application.");
    for (const Case& c : cases) {
        window.messages.clear();
        window.shows.clear();
        Launch("\"" + c.path + "\"");
        ASSERT_EQ(window.messages.size(), 1u) << c.path;
        EXPECT_NE(std::find(c.messages.begin(), c.messages.end(), window.messages[0].text), c.messages.end())
            << window.messages[0].text;
        EXPECT_EQ(window.messages[0].caption, c.path);
        EXPECT_EQ(window.messages[0].style, 0x10u);
        EXPECT_EQ(window.shows, (std::vector<ui::Show>{ui::Show::Hide, ui::Show::Normal}));
    }
    EXPECT_TRUE(combo.items.empty());
    EXPECT_TRUE(AppProfile().ValueNames(kHistory).empty());
    EXPECT_EQ(AppProfile().ReadString(kSettings, kConfig), "");
    EXPECT_EQ(ReadFile(folder + "\\history.log"), "before");
}

TEST_F(RealLaunch, ASuccessRewritesTheLogAndAddToPathEntersTheProgram)
{
    AppProfile().WriteInt(kSettings, kSaveToFile, 1);
    AppProfile().WriteString(kSettings, kLogFile, folder + "\\history.log");
    history.AddToMRU("write");
    const std::string program = CopyRecorder(folder + "\\rec.exe");
    window.checked = true;
    launcher.addToPathArmed = 1;

    Launch("\"" + program + "\"");
    WaitForRecord();
    EXPECT_EQ(ReadFile(folder + "\\history.log"),
              "[Velquin History]\r\n\r\nFile #1: \"" + program + "\"\r\nFile #2: write\r\n");
    const AppPathEntry entry = ReadAppPathEntry("rec.exe");
    EXPECT_EQ(entry.programPath, program);
    EXPECT_EQ(entry.workingDirectory, folder);
    DeleteAppPathEntry("rec.exe", AppPathTable::Machine);
}

TEST(ShellOpen, AStaleLastErrorDoesNotTurnASuccessIntoAFailure)
{
    const char* recorder = std::getenv("VELQUIN_RECORDER");
    ASSERT_NE(recorder, nullptr);
    SetEnvironmentVariableA("VELQUIN_RECORD", (TempPath("Velquin Launch " + std::to_string(GetCurrentProcessId())) + "-stale.txt").c_str());
    SetLastError(ERROR_FILE_NOT_FOUND);
    const OpenResult result = ShellOpen(nullptr, {recorder, "", "", SW_SHOWNORMAL});
    EXPECT_GT(result.returnValue, 32);
    EXPECT_EQ(JudgeOpen(result), LaunchFailure::None);
    Sleep(500);
    DeleteFileA((TempPath("Velquin Launch " + std::to_string(GetCurrentProcessId())) + "-stale.txt").c_str());
    SetEnvironmentVariableA("VELQUIN_RECORD", nullptr);
}

TEST(ShellLaunchSystem, LetterCaseIsComparedByTheSystemsRuleBeyondAToZ)
{
    ShellLaunchSystem system;
    EXPECT_TRUE(system.SameTextIgnoringCase("C:\\\xC4rger.exe", "c:\\\xE4RGER.EXE"));  // Ä and ä
    EXPECT_FALSE(system.SameTextIgnoringCase("notepad", "notepad2"));
    EXPECT_FALSE(system.SameTextIgnoringCase("\xE4", "a"));
}
