// The real registry and shell: where the profile and App Paths are stored, and what a launch starts, where;
// the system's delivery rules as far as Wine has them; the Win+R hook as the keyboard drives it.
#include "FakeLauncherWindow.h"
#include "TestSupport.h"

#include "commands/MenuCommands.h"
#include "framework/Com.h"
#include "framework/Handles.h"
#include "framework/MessageDelivery.h"
#include "framework/Registry.h"
#include "framework/Unicode.h"
#include "keys/WinRHook.h"
#include "launch/Launcher.h"
#include "launch/ShellLaunch.h"
#include "settings/SettingsRecord.h"

#include <shlobj.h>

namespace {

const std::string kTable = kAppPathsKey;

bool SamePath(const std::string& a, const std::string& b)
{
    wchar_t longA[MAX_PATH] = {}, longB[MAX_PATH] = {};
    return GetLongPathNameW(Wide(a).c_str(), longA, MAX_PATH) && GetLongPathNameW(Wide(b).c_str(), longB, MAX_PATH) &&
           lstrcmpiW(longA, longB) == 0;
}

// The launch with the real shell and registry, and a window in memory; the recorder program tells what
// it was started with.
class RealSystem : public ::testing::Test {
protected:
    TestApp app;
    FakeCombo combo;
    FakeWindow window{combo};
    ShellLaunchSystem system;
    CMRUComboBox history{AppProfile()};
    AddToPath addToPath;
    Launcher launcher{window, history, system, AppProfile(), addToPath};
    MenuCommands commands{window, history, system, AppProfile()};
    RecorderCopy recorder{"Velquin Launch", "rec.exe"};

    void SetUp() override
    {
        CleanTestAppPaths();
        SettingsRecord().LoadSettings(AppProfile());
        history.SetView(&combo);
        SetUpAsHistory(history, 30);
    }
    void TearDown() override { CleanTestAppPaths(); }
    std::pair<std::string, std::string> Launch(const std::string& typed)
    {
        combo.edit = typed;
        launcher.OnLaunch();
        return recorder.WaitForRecord();
    }
};

}  // namespace

TEST_F(RealSystem, TheProfileAndAppPathsEntriesAreDwordsAndZeroEndedTextAndAMachineRefusalGoesToTheUsersOwn)
{
    const std::string key = "Software\\Velquin\\VELQUIN\\Settings";
    EXPECT_EQ(ReadRawValue(HKEY_CURRENT_USER, key, "MaxHistory"), std::string("4 \x1e\0\0\0", 6));
    EXPECT_EQ(ReadRawValue(HKEY_CURRENT_USER, key, "Saved"), std::string("1 Options saved") + '\0');
    EXPECT_FALSE(AppProfile().WriteString("Settings", "LogFile", std::string(260, 'x')));
    EXPECT_EQ(AppProfile().ReadInt("Missing", "Value", 7), 7);

    EXPECT_EQ(WriteAppPathEntry({"VqTestMine.exe", "C:\\All\\mine.exe", "C:\\All"}), AppPathTable::Machine);
    EXPECT_EQ(ReadRawValue(HKEY_LOCAL_MACHINE, kTable + "\\VqTestMine.exe", "Path"), std::string("1 C:\\All") + '\0');
    EXPECT_EQ(ReadAppPathWorkingDirectory("VQTESTMINE.EXE"), std::optional<std::string>("C:\\All"));
    EXPECT_EQ(ReadAppPathWorkingDirectory("VqTestMine"), std::nullopt);
    const std::string longest = "C:\\" + std::string(252, 'x') + ".exe";  // 259 characters: the most a value holds
    EXPECT_EQ(WriteAppPathEntry({"VqTestLong.exe", longest, "C:\\"}), AppPathTable::Machine);
    EXPECT_EQ(ReadAppPathEntry("VqTestLong.exe").programPath, longest);

    RefuseAppPathWrites(true);
    EXPECT_EQ(WriteAppPathEntry({"VqTestMine.exe", "C:\\Me\\mine.exe", "C:\\Me"}), AppPathTable::User);
    EXPECT_TRUE(RegKey::Open(HKEY_CURRENT_USER, kTable + "\\VqTestMine.exe"));
    EXPECT_EQ(ReadAppPathWorkingDirectory("VqTestMine.exe"), std::optional<std::string>("C:\\Me"));
    EXPECT_FALSE(DeleteAppPathEntry("VqTestMine.exe", AppPathTable::Machine));
    EXPECT_TRUE(DeleteAppPathEntry("VqTestMine.exe", AppPathTable::User));
    EXPECT_EQ(ReadAppPathWorkingDirectory("VqTestMine.exe"), std::optional<std::string>("C:\\All"));
    RegisterSelfInAppPaths();
    EXPECT_EQ(FindAppPathTable("Velquin.exe"), AppPathTable::User) << "the start-up registration takes too";
    RefuseAppPathWrites(true, true);
    EXPECT_EQ(WriteAppPathEntry({"VqTestNone.exe", "C:\\n.exe", "C:\\"}), std::nullopt);

    const std::string directory = "%SystemRoot%\\Tools";
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, (kTable + "\\VqTestExpand.exe").c_str(), "Path", REG_EXPAND_SZ,
                    directory.c_str(), static_cast<DWORD>(directory.size() + 1));
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(ReadAppPathWorkingDirectory("VqTestExpand.exe"), std::string(windows) + "\\Tools");
}

TEST_F(RealSystem, TheShellStartsTheProgramWithItsArgumentsInItsFolderOrItsEntrysFolder)
{
    ASSERT_TRUE(recorder.copied);
    const auto quoted = Launch("\"" + recorder.program + "\" -x");
    EXPECT_NE(quoted.first.find(" -x"), std::string::npos) << quoted.first;
    EXPECT_TRUE(SamePath(quoted.second, recorder.folder)) << quoted.second;

    std::string elsewhere = TempPath("");
    elsewhere.pop_back();  // the folder, without its final backslash
    WriteAppPathEntry({"vqtestrec.exe", recorder.program, elsewhere});
    EXPECT_TRUE(SamePath(Launch("vqtestrec.exe").second, elsewhere));
    EXPECT_TRUE(window.messages.empty());

    SetLastError(ERROR_FILE_NOT_FOUND);  // left over: no failure when the shell succeeds
    EXPECT_EQ(JudgeOpen(ShellOpen(nullptr, {recorder.program, "", "", SW_SHOWNORMAL})), LaunchFailure::None);
    recorder.WaitForRecord();
    // Wine has no elevation prompt and runs "runas" as "open".
    EXPECT_EQ(JudgeOpen(ShellOpen(nullptr, {recorder.program, " -y", "", SW_SHOWNORMAL, true})), LaunchFailure::None);
    EXPECT_NE(recorder.WaitForRecord().first.find(" -y"), std::string::npos);

    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(system.ExpandReferences("%WINDIR%\\x %NoSuchName%"), std::string(windows) + "\\x %NoSuchName%");
    EXPECT_TRUE(system.SameTextIgnoringCase("C:\\\xC3\x84rger.exe", "c:\\\xC3\xA4RGER.EXE"));  // Ä and ä
    EXPECT_FALSE(system.SameTextIgnoringCase("\xC3\xA4", "a"));
    EXPECT_TRUE(StartsWithText("\xC3\x84rger.exe", "\xC3\xA4", SameTextIgnoringCase)) << "Find's rule";
}

TEST_F(RealSystem, AShortcutStartsItsTargetWithItsOwnArgumentsAndTheTypedOnesInItsStartInFolder)
{
    ASSERT_TRUE(recorder.copied);
    std::string startIn = TempPath("");
    startIn.pop_back();
    // Made here as the shell makes them, written with the extension in capitals, in a folder with a blank.
    const std::string shortcut = recorder.folder + "\\Work.LNK";
    {
        ComPtr<IShellLinkW> link;
        ComPtr<IPersistFile> file;
        ASSERT_TRUE(SUCCEEDED(CreateComObject(CLSID_ShellLink, IID_IShellLinkW, link.ReceiveVoid())));
        link->SetPath(Wide(recorder.program).c_str());
        link->SetArguments(L"--profile Work");
        link->SetWorkingDirectory(Wide(startIn).c_str());
        ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid())));
        ASSERT_TRUE(SUCCEEDED(file->Save(Wide(shortcut).c_str(), TRUE)));
    }
    EXPECT_EQ(system.ShortcutTarget(shortcut), recorder.program);
    const auto run = Launch(shortcut + " -z");
    const size_t arguments = run.first.find("\" --profile Work");
    EXPECT_NE(arguments, std::string::npos) << run.first;
    EXPECT_NE(run.first.find(" -z", arguments), std::string::npos) << run.first;
    EXPECT_TRUE(SamePath(run.second, startIn)) << run.second;
    EXPECT_TRUE(window.messages.empty());
    DeleteFileW(Wide(shortcut).c_str());
}

TEST_F(RealSystem, AProgramInAFolderNamedInCyrillicAndAccentsIsLaunchedStoredLoggedAndImported)
{
    const RecorderCopy tool("Velquin \xD0\xAE\xD0\xBD\xD0\xB8\xD0\xBA\xD0\xBE\xD0\xB4 \xC3\xA9t\xC3\xA9", "tool.exe");
    ASSERT_TRUE(tool.copied);  // "Velquin Юникод été"
    const std::string typed = "\"" + tool.program + "\" -x", log = tool.folder + "\\history.log";
    AppProfile().WriteInt("Settings", "SaveToFile", 1);
    AppProfile().WriteString("Settings", "LogFile", log);
    combo.edit = typed;
    launcher.OnLaunch();
    const auto run = tool.WaitForRecord();
    EXPECT_NE(run.first.find(tool.program), std::string::npos) << run.first;
    EXPECT_TRUE(SamePath(run.second, tool.folder)) << run.second;
    wchar_t stored[MAX_PATH] = {};
    DWORD size = sizeof(stored);
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\Velquin\\VELQUIN\\Velquin MRU", L"File #1", RRF_RT_REG_SZ, nullptr,
                 stored, &size);
    EXPECT_EQ(Utf8(stored), typed) << "UTF-16 in the registry";
    EXPECT_NE(ReadFile(log).find("File #1: " + typed + "\r\n"), std::string::npos) << "UTF-8 in the log";
    DeleteFileW(Wide(log).c_str());

    const wchar_t* runMru = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
    const std::wstring command = Wide(tool.folder + "\\other.exe\\1");
    RegSetKeyValueW(HKEY_CURRENT_USER, runMru, L"MRUList", REG_SZ, L"a", 4);
    RegSetKeyValueW(HKEY_CURRENT_USER, runMru, L"a", REG_SZ, command.c_str(), DWORD((command.size() + 1) * 2));
    commands.ImportRunHistory();
    RegDeleteTreeW(HKEY_CURRENT_USER, runMru);
    EXPECT_EQ(combo.items.front(), tool.folder + "\\other.exe");
}

// Wine lets every message through and sends no session changes, but has the functions: a misspelt name would
// leave an elevated Velquin deaf on Windows without a word.
TEST(SystemDelivery, FindsItsFunctionsWhereTheSystemHasThem)
{
    const WindowHandle window(
        CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
    EXPECT_TRUE(SystemDelivery().AllowFromLowerIntegrity(window.Get(), RegisterWindowMessageA("TaskbarCreated")));
    EXPECT_TRUE(SystemDelivery().WatchSession(window.Get()));
    SystemDelivery().StopWatchingSession(window.Get());
}

TEST(WinRHook, SetsItselfAnewEveryFewMomentsAndWinRStillOpens)
{
    const WindowHandle window(
        CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
    const UINT opened = WM_APP + 7;
    WinRHook hook;
    ASSERT_TRUE(hook.Start(window.Get(), opened, 50));
    const auto within = [](DWORD milliseconds, const std::function<bool()>& done) {
        bool finished = done();
        for (const DWORD start = GetTickCount(); !finished && GetTickCount() - start < milliseconds;) {
            Sleep(10);
            finished = done();
        }
        return finished;
    };
    const unsigned before = WinRHook::Renewals();
    EXPECT_TRUE(within(5000, [&] { return WinRHook::Renewals() >= before + 2; }));
    for (const auto& [key, up] :
         {std::pair<BYTE, DWORD>{VK_LWIN, 0}, {'R', 0}, {'R', KEYEVENTF_KEYUP}, {VK_LWIN, KEYEVENTF_KEYUP}})
        keybd_event(key, 0, up, 0);
    MSG message;
    EXPECT_TRUE(within(5000, [&] { return PeekMessageW(&message, window.Get(), opened, opened, PM_REMOVE) != 0; }));
}
