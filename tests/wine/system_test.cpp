// The real registry and shell: where the profile and App Paths are stored, and what a launch starts, where;
// the system's delivery rules as far as Wine has them; the Win+R hook as the keyboard drives it.
#include "FakeLauncherWindow.h"
#include "TestSupport.h"

#include "commands/MenuCommands.h"
#include "framework/Com.h"
#include "framework/Handles.h"
#include "framework/MessageDelivery.h"
#include "framework/ProfileFile.h"
#include "framework/Registry.h"
#include "framework/Unicode.h"
#include "keys/WinRHook.h"
#include "launch/Launcher.h"
#include "launch/ShellLaunch.h"
#include "preferences/Option.h"
#include "settings/SettingsRecord.h"
#include "text/CommandText.h"
#include "suggest/SuggestSystem.h"

#include <shlobj.h>

#include <algorithm>

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

    WriteOtherEntryValues(HKEY_LOCAL_MACHINE, kTable + "\\VqTestMine.exe");
    RefuseAppPathWrites(true);
    EXPECT_EQ(WriteAppPathEntry({"VqTestMine.exe", "C:\\Me\\mine.exe", "C:\\Me"}), AppPathTable::User);
    EXPECT_EQ(OtherEntryValues(HKEY_CURRENT_USER, kTable + "\\VqTestMine.exe"), kOtherEntryValues)
        << "every other value goes with it, with its type";
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

TEST_F(RealSystem, ARespellingFirstPutsBackWithEveryValueTheMarkedCopyACrashLeftParkedAndLeavesNoMark)
{
    // The copy, marked as the only whole one, and what the crash left of the entry.
    const std::string parked = kTable + "\\Velquin respelling VqTestPark.exe";
    const DWORD one = 1;
    WriteOtherEntryValues(HKEY_LOCAL_MACHINE, parked);
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, Wide(parked).c_str(), L"Velquin unfinished", REG_DWORD, &one, sizeof(one));
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, Wide(kTable + "\\vqtestpark.exe").c_str(), L"UseUrl", REG_DWORD, &one,
                    sizeof(one));
    RespellAppPathsByCopyOnly(true);
    EXPECT_TRUE(RespellAppPathEntry("VqTestPark.exe", "VQTESTPARK.EXE", AppPathTable::Machine));
    RespellAppPathsByCopyOnly(false);
    const std::vector<std::string> names = ListAppPathNames(AppPathTable::Machine);
    EXPECT_EQ(std::count(names.begin(), names.end(), "VQTESTPARK.EXE"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "Velquin respelling VqTestPark.exe"), 0);
    EXPECT_EQ(OtherEntryValues(HKEY_LOCAL_MACHINE, kTable + "\\VqTestPark.exe"), kOtherEntryValues);
    EXPECT_EQ(ReadRawValue(HKEY_LOCAL_MACHINE, kTable + "\\VqTestPark.exe", "Velquin unfinished"), "");
}

TEST_F(RealSystem, AtStartTheRunValueNamingThisCopyUnquotedIsQuotedAndAnotherCopysExpandableValueStays)
{
    const char* const run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const auto store = [&](DWORD type, const std::string& text) {
        const WideString value = Wide(text);
        RegSetKeyValueW(HKEY_CURRENT_USER, Wide(run).c_str(), L"Velquin", type, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    };
    std::string capitals = ModulePath();
    CharUpperBuffA(&capitals[0], static_cast<DWORD>(capitals.size()));
    store(REG_SZ, capitals);  // this copy in other letters, unquoted
    KeepStartingWithWindows(1);
    EXPECT_EQ(ReadRawValue(HKEY_CURRENT_USER, run, "Velquin"), "1 \"" + ModulePath() + "\"" + '\0');

    ASSERT_TRUE(recorder.copied);
    SetEnvironmentVariableW(L"VQTEST_OTHER", Wide(recorder.folder).c_str());
    store(REG_EXPAND_SZ, "\"%VQTEST_OTHER%\\rec.exe\"");
    KeepStartingWithWindows(1);
    EXPECT_EQ(ReadRawValue(HKEY_CURRENT_USER, run, "Velquin"), std::string("2 \"%VQTEST_OTHER%\\rec.exe\"") + '\0');
    SetEnvironmentVariableW(L"VQTEST_OTHER", nullptr);
    RegDeleteKeyValueA(HKEY_CURRENT_USER, run, "Velquin");
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
    ASSERT_TRUE(MakeShortcut(shortcut, recorder.program, "--profile Work", startIn));
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
    const WideString command = Wide(tool.folder + "\\other.exe\\1");
    RegSetKeyValueW(HKEY_CURRENT_USER, runMru, L"MRUList", REG_SZ, L"a", 4);
    RegSetKeyValueW(HKEY_CURRENT_USER, runMru, L"a", REG_SZ, command.c_str(), DWORD((command.size() + 1) * 2));
    commands.ImportRunHistory();
    RegDeleteTreeW(HKEY_CURRENT_USER, runMru);
    EXPECT_EQ(combo.items.front(), tool.folder + "\\other.exe");
}

TEST_F(RealSystem, AWorkersLaunchLetsTheShellFinishThere)
{
    EXPECT_EQ(ShellOpenMask({"x", "", "", SW_SHOWNORMAL}), 0x400u) << "SEE_MASK_FLAG_NO_UI";
    EXPECT_EQ(ShellOpenMask({"x", "", "", SW_SHOWNORMAL, false, true}), 0x500u) << "and SEE_MASK_NOASYNC";
}

namespace {

// The suggestions' lines for a folded prefix, "name | command | source | what is known", as the index holds them.
std::vector<std::string> Indexed(const SuggestIndex& index, const std::string& prefix)
{
    std::vector<std::string> lines;
    for (const IndexedCandidate& line : index.items) {
        if (line.folded.rfind(prefix, 0) == 0)
            lines.push_back(line.item.name + " | " + line.item.command + " | " + SourceName(line.item.source) + " | " +
                            std::to_string(static_cast<int>(line.item.existence)));
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::string SpecialFolder(int which)
{
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, path);
    return Utf8(path);
}

// A small icon's pixels, to tell one icon from another.
std::string Pixels(const UniqueHandle<IconTraits>& icon)
{
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon.Get(), &info))
        return std::string();
    BITMAP bitmap = {};
    GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
    std::string bits(static_cast<std::size_t>(bitmap.bmWidthBytes) * bitmap.bmHeight, '\0');
    GetBitmapBits(info.hbmColor, static_cast<LONG>(bits.size()), bits.data());
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bits;
}

}  // namespace

TEST_F(RealSystem, TheIndexReadsTheShortcutsTheirTargetsAppPathsPathAndTheAppsFolderAsTheSystemHoldsThem)
{
    ASSERT_TRUE(recorder.copied);
    const std::string menu = SpecialFolder(CSIDL_PROGRAMS) + "\\VqTest Menu";
    const std::string nested = menu + "\\Deeper";
    const std::string common = SpecialFolder(CSIDL_COMMON_PROGRAMS) + "\\VqTest Site.url";
    CreateDirectoryW(Wide(menu).c_str(), nullptr);
    CreateDirectoryW(Wide(nested).c_str(), nullptr);
    const std::string gone = recorder.folder + "\\gone.exe";
    ASSERT_TRUE(MakeFile(gone));
    ASSERT_TRUE(MakeShortcut(nested + "\\VqTest Deep.lnk", recorder.program));
    ASSERT_TRUE(MakeShortcut(menu + "\\VqTest Gone.lnk", gone));
    DeleteFileW(Wide(gone).c_str());  // an uninstalled program's leftover
    ASSERT_TRUE(MakeShortcut(menu + "\\VqTest Share.lnk", "\\\\vqtestserver\\share\\x.exe"));
    {
        std::string url = "[InternetShortcut]\r\nURL=https://example.com/\r\n";
        const HANDLE file = CreateFileW(Wide(common).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, url.data(), static_cast<DWORD>(url.size()), &written, nullptr);
        CloseHandle(file);
    }
    WriteAppPathEntry({"VqTestApp.exe", "C:\\VqTest\\vqtestapp.exe", ""}, AppPathTable::User);
    // A folder on PATH: a program with a blank, and one that a shortcut of its name hides.
    const std::string bin = recorder.folder + "\\bin";
    CreateDirectoryW(Wide(bin).c_str(), nullptr);
    MakeFile(bin + "\\vqtest tool.exe");
    MakeFile(bin + "\\VqTest Deep.exe");
    MakeFile(bin + "\\vqtest notes.txt");
    wchar_t path[32767] = {};
    GetEnvironmentVariableW(L"PATH", path, 32767);
    SetEnvironmentVariableW(L"PATH", (Wide(bin) + L";" + path).c_str());

    const IndexSources read = ShellSuggestSystem().ReadIndexSources();
    const SuggestIndex index = BuildIndex(read, FoldCase);
    SetEnvironmentVariableW(L"PATH", path);
    // Wine has no Apps folder: the packaged apps' source gives nothing, and says nothing of it.
    EXPECT_TRUE(read.apps.empty());
    EXPECT_TRUE(std::none_of(index.items.begin(), index.items.end(),
                             [](const IndexedCandidate& line) { return line.item.source == Source::App; }));
    EXPECT_EQ(Indexed(index, "VQTEST"),
              (std::vector<std::string>{"VqTest Deep | \"" + nested + "\\VqTest Deep.lnk\" | Start menu | 1",
                                        "VqTest Share | \"" + menu + "\\VqTest Share.lnk\" | Start menu | 0",
                                        "VqTest Site | \"" + common + "\" | Start menu | 1",
                                        "VqTestApp | VqTestApp | App Paths | 0",
                                        "vqtest tool | \"vqtest tool\" | PATH | 0"}));
    const auto hidden = index.byCommand.find(FoldCase("\"VqTest Deep\""));
    ASSERT_NE(hidden, index.byCommand.end()) << "the PATH program of the shortcut's name leads to its line";
    EXPECT_EQ(index.items[hidden->second].item.name, "VqTest Deep");

    for (const std::string& file : {nested + "\\VqTest Deep.lnk", menu + "\\VqTest Gone.lnk",
                                    menu + "\\VqTest Share.lnk", common, bin + "\\vqtest tool.exe",
                                    bin + "\\VqTest Deep.exe", bin + "\\vqtest notes.txt"})
        DeleteFileW(Wide(file).c_str());
    for (const std::string& folder : {nested, menu, bin})
        RemoveDirectoryW(Wide(folder).c_str());
}

TEST_F(RealSystem, AFilesIconComesFromItsTypeUnlessTheFileIsALocalProgramOrAStartMenuShortcut)
{
    ShellSuggestSystem sources;
    // This program holds Velquin's icons: its own icon is not the one of programs in general.
    const std::string program = recorder.folder + "\\icons.exe";
    ASSERT_TRUE(CopyFileW(Wide(ModulePath()).c_str(), Wide(program).c_str(), FALSE));
    const std::string own = Pixels(sources.SmallIcon(program, IconKind::File, 16));
    const std::string anyProgram = Pixels(sources.SmallIcon("C:\\VqTestNowhere\\x.exe", IconKind::File, 16));
    ASSERT_FALSE(own.empty());
    EXPECT_FALSE(anyProgram.empty()) << "a program that is gone shows its type's icon";
    EXPECT_NE(own, anyProgram);
    SetEnvironmentVariableW(L"VQTEST_HERE", Wide(FolderOf(program)).c_str());
    EXPECT_EQ(Pixels(sources.SmallIcon("%VQTEST_HERE%\\" + NameOf(program), IconKind::File, 16)), own)
        << "references filled in";
    SetEnvironmentVariableW(L"VQTEST_HERE", nullptr);
    EXPECT_FALSE(Pixels(sources.SmallIcon("C:\\VqTestNowhere\\notes.txt", IconKind::File, 16)).empty())
        << "by its type: the file is not opened";

    // A shortcut planted in a typed folder is not opened for its icon; one of the Start menu is.
    const std::string planted = recorder.folder + "\\planted.lnk";
    ASSERT_TRUE(MakeShortcut(planted, program, "", "", program));
    const std::string byType = Pixels(sources.SmallIcon("C:\\VqTestNowhere\\other.lnk", IconKind::File, 16));
    EXPECT_EQ(Pixels(sources.SmallIcon(planted, IconKind::File, 16)), byType);
    EXPECT_NE(Pixels(sources.SmallIcon(planted, IconKind::Shortcut, 16)), byType);
    DeleteFileW(Wide(planted).c_str());
    DeleteFileW(Wide(program).c_str());
    EXPECT_GT(Pixels(sources.SmallIcon(program, IconKind::File, 24)).size(), own.size())
        << "larger for a window of more dots per inch";
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

TEST(ProfileFile, AWriteReplacesTheFileWholeKeepsAHardLinkAndLeavesItAsItWasWhenItCannot)
{
    const std::string folder = TempPath("Velquin Profile Файл");
    CreateDirectoryW(Wide(folder).c_str(), nullptr);
    const std::string path = folder + "\\Velquin.ini", link = folder + "\\persisted.ini";
    DeleteFileW(Wide(path).c_str());
    DeleteFileW(Wide(link).c_str());

    const auto fileIndex = [&] {
        const FileHandle file(CreateFileW(Wide(path).c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        BY_HANDLE_FILE_INFORMATION facts = {};
        GetFileInformationByHandle(file.Get(), &facts);
        return (static_cast<unsigned long long>(facts.nFileIndexHigh) << 32) | facts.nFileIndexLow;
    };
    unsigned long error = 0;
    EXPECT_FALSE(ReadFileBytes(path, &error));
    EXPECT_EQ(error, static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
    ASSERT_TRUE(WriteFileBytes(path, "first"));
    SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
    const unsigned long long first = fileIndex();
    ASSERT_TRUE(WriteFileBytes(path, "first, again"));
    EXPECT_NE(fileIndex(), first) << "written in place, not whole";
    EXPECT_TRUE(GetFileAttributesW(Wide(path).c_str()) & FILE_ATTRIBUTE_HIDDEN) << "no longer hidden";
    ASSERT_TRUE(CreateHardLinkW(Wide(link).c_str(), Wide(path).c_str(), nullptr));
    const unsigned long long linked = fileIndex();
    ASSERT_TRUE(WriteFileBytes(path, "second, longer"));
    EXPECT_EQ(ReadFileBytes(link).value_or("unreadable"), "second, longer");
    ASSERT_TRUE(WriteFileBytes(path, "third"));
    EXPECT_EQ(ReadFileBytes(link).value_or("unreadable"), "third");  // and nothing of the longer text after it
    EXPECT_EQ(fileIndex(), linked);

    DeleteFileW(Wide(link).c_str());
    {
        // Another program holds the file open and lets nobody replace it.
        const FileHandle held(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_EQ(ReadFileBytes(path).value_or("unreadable"), "third");
        EXPECT_FALSE(WriteFileBytes(path, "fourth", &error));
        EXPECT_NE(error, 0u);
    }
    EXPECT_EQ(ReadFileBytes(path).value_or("unreadable"), "third");
    WIN32_FIND_DATAW found = {};
    const FindHandle leftOver(FindFirstFileW(Wide(folder + "\\*.tmp").c_str(), &found));
    EXPECT_FALSE(leftOver) << "a temporary file was left behind";
    DeleteFileW(Wide(path).c_str());
    RemoveDirectoryW(Wide(folder).c_str());
}
