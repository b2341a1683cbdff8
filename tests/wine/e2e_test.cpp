// Velquin.exe as shipped, started as its own process and driven from this one, as a user would.
#include "TestSupport.h"
#include "UiScript.h"
#include "VelquinProcess.h"

#include "paths/AppPaths.h"
#include "res/resource.h"
#include "settings/ProfileLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

using namespace profile;

namespace {

std::string WindowsPath(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

HWND ComboEdit(HWND main)
{
    return FindWindowExA(GetDlgItem(main, IDC_HISTORY_COMBO), nullptr, "Edit", nullptr);
}

// A control's text in another process: only WM_GETTEXT asks the control itself.
std::string TextOf(HWND control)
{
    char text[1024] = {};
    SendMessageA(control, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

HWND WaitForDialogOf(const Process& process, const std::string& caption)
{
    return WaitForWindow(process.Id(), [caption](HWND w) {
        return ClassOf(w) == "#32770" && WindowText(w) == caption && !IsMessageBox(w);
    });
}

bool WaitUntil(const std::function<bool()>& condition, DWORD ms = 10000)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(25)) {
        if (condition())
            return true;
    }
    return condition();
}

void Press(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Exit(Process& velquin, HWND main)
{
    Press(main, IDCANCEL);
    EXPECT_EQ(velquin.WaitForExit(), 0u);
}

// A folder with a copy of the recorder program under the given name. What the copy records lands in
// `record`: Velquin passes VELQUIN_RECORD on to what it starts. All of it goes with the test, however it ends.
struct RecorderCopy {
    std::string folder, program, record;
    bool copied = false;

    RecorderCopy(const std::string& folderName, const std::string& programName)
        : folder(TempPath(folderName)), program(folder + "\\" + programName), record(folder + "\\record.txt")
    {
        CreateDirectoryA(folder.c_str(), nullptr);
        copied = CopyFileA(std::getenv("VELQUIN_RECORDER"), program.c_str(), FALSE) != FALSE;
        DeleteFileA(record.c_str());
        SetEnvironmentVariableA("VELQUIN_RECORD", record.c_str());
    }
    ~RecorderCopy()
    {
        SetEnvironmentVariableA("VELQUIN_RECORD", nullptr);
        DeleteFileA(record.c_str());
        DeleteFileA(program.c_str());
        RemoveDirectoryA(folder.c_str());
    }
    RecorderCopy(const RecorderCopy&) = delete;
    RecorderCopy& operator=(const RecorderCopy&) = delete;
};

class EndToEnd : public ::testing::Test {
protected:
    CleanProfile clean;
    TestApp app;
};

}  // namespace

TEST_F(EndToEnd, TheFirstStartSavesTheSettingsRegistersItselfAndCentresTheWindow)
{
    DeleteAppPathEntry("Velquin.exe", AppPathTable::Machine);
    Process velquin;
    HWND main = WaitForMainWindow(velquin);
    ASSERT_NE(main, nullptr);

    for (const char* name : {kMaxHistory, kClearHistoryAuto, kStartAuto, kStartMin, kShowWindow, kHideOnSuccess,
                             kSaveToFile, kPutIconInTray, kPromptOnLogOff, kPromptOnShutDown, kPromptOnRestart})
        EXPECT_TRUE(ReadRawValue(HKEY_CURRENT_USER, std::string(kProfileKey) + "\\Settings", name)) << name;
    EXPECT_EQ(AppProfile().ReadString(kSettings, kSaved), "Options saved");
    EXPECT_EQ(AppProfile().ReadInt(kSettings, kMaxHistory, 0), 30);
    EXPECT_EQ(_stricmp(ReadAppPathEntry("Velquin.exe").programPath.c_str(), WindowsPath(VelquinExe()).c_str()), 0)
        << ReadAppPathEntry("Velquin.exe").programPath;

    RECT rect = {};
    GetWindowRect(main, &rect);
    EXPECT_NEAR(rect.left, (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2, 2);
    EXPECT_NEAR(rect.top, (GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 2, 2);
    Exit(velquin, main);
}

TEST_F(EndToEnd, TypingAndEnterLaunchTheTextWhichTheHistoryKeepsAcrossARestart)
{
    const RecorderCopy recorder("VelquinE2E", "rec.exe");
    ASSERT_TRUE(recorder.copied);
    const std::string& record = recorder.record;
    const std::string typed = recorder.program + " one two";

    {
        Process velquin;
        HWND main = WaitForMainWindow(velquin);
        ASSERT_NE(main, nullptr);
        TypeText(ComboEdit(main), typed);
        ASSERT_TRUE(WaitUntil([&] { return TextOf(GetDlgItem(main, IDC_HISTORY_COMBO)) == typed; }))
            << TextOf(GetDlgItem(main, IDC_HISTORY_COMBO));
        PressKey(ComboEdit(main), VK_RETURN);

        ASSERT_TRUE(WaitUntil([&] { return !ReadFile(record).empty(); })) << "the program did not start";
        const std::string commandLine = ReadFile(record).substr(0, ReadFile(record).find('\n'));
        EXPECT_NE(commandLine.find("rec.exe"), std::string::npos) << commandLine;
        EXPECT_NE(commandLine.find(" one two"), std::string::npos) << commandLine;
        EXPECT_TRUE(WaitUntil([&] { return AppProfile().ReadString(kHistory, "File #1") == typed; }))
            << "written at once";

        // Put away after the launch; the tray icon's double click brings it back.
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));
        HWND tray = nullptr;
        for (HWND w : WindowsOf(velquin.Id(), false)) {
            if (ClassOf(w) == "VelquinTrayWindow")
                tray = w;
        }
        ASSERT_NE(tray, nullptr);
        SendMessageA(tray, WM_USER + 10, 146, WM_LBUTTONDBLCLK);
        EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));

        SetWindowPos(main, nullptr, 150, 110, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Exit(velquin, main);
    }
    EXPECT_EQ(AppProfile().ReadInt(kWindow, kLeft, 0), 150);
    EXPECT_EQ(AppProfile().ReadInt(kWindow, kTop, 0), 110);

    // Started again: at its place, with the launched text ready.
    Process again;
    HWND main = WaitForMainWindow(again);
    ASSERT_NE(main, nullptr);
    RECT rect = {};
    GetWindowRect(main, &rect);
    EXPECT_EQ(rect.left, 150);
    EXPECT_EQ(rect.top, 110);
    EXPECT_EQ(TextOf(GetDlgItem(main, IDC_HISTORY_COMBO)), typed);
    EXPECT_EQ(AppProfile().ReadString(kHistory, "File #1"), typed);
    Exit(again, main);
}

TEST_F(EndToEnd, AProgramPlantedInTheFolderItStartsFromNeverRunsInsteadOfTheSystems)
{
    // A download folder with a notepad.exe of its own; Velquin is started from there.
    const RecorderCopy planted("VelquinPlanted", "notepad.exe");
    ASSERT_TRUE(planted.copied);
    const std::string& record = planted.record;
    {
        Process velquin(planted.folder);
        HWND main = WaitForMainWindow(velquin);
        ASSERT_NE(main, nullptr);
        Press(main, ID_PROGRAMS_NOTEPAD);
        HWND notepad = nullptr;
        EXPECT_TRUE(WaitUntil([&] { return (notepad = FindWindowA("Notepad", nullptr)) || !ReadFile(record).empty(); }));
        EXPECT_EQ(ReadFile(record), "") << "the planted notepad.exe ran";
        EXPECT_NE(notepad, nullptr) << "the system's Notepad did not start";
        if (notepad)
            PostMessageA(notepad, WM_CLOSE, 0, 0);
        if (IsWindowVisible(main))
            Exit(velquin, main);
    }
}

TEST_F(EndToEnd, ImportRunHistoryFillsTheHistory)
{
    const std::string runMru = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
    HKEY key = nullptr;
    RegCreateKeyA(HKEY_CURRENT_USER, runMru.c_str(), &key);
    for (const auto& value : std::vector<std::pair<std::string, std::string>>{
             {"MRUList", "ba"}, {"b", "calc\\1"}, {"a", "notepad\\1"}})
        RegSetValueExA(key, value.first.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.second.c_str()),
                       static_cast<DWORD>(value.second.size() + 1));
    RegCloseKey(key);

    Process velquin;
    HWND main = WaitForMainWindow(velquin);
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_COMMAND, ID_TOOLS_IMPORT_RUN_HISTORY, 0);
    HWND box = WaitForMessageBox(velquin);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(MessageTextControl(box)), "Run history has been added to your history folder.");
    Press(box, IDOK);
    EXPECT_EQ(AppProfile().ReadString(kHistory, "File #1"), "notepad");
    EXPECT_EQ(AppProfile().ReadString(kHistory, "File #2"), "calc");
    Exit(velquin, main);
    RegDeleteTreeA(HKEY_CURRENT_USER, runMru.c_str());
}

TEST_F(EndToEnd, PreferencesChangeTheCapacity)
{
    Process velquin;
    HWND main = WaitForMainWindow(velquin);
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_COMMAND, ID_TOOLS_PREFERENCES, 0);
    HWND preferences = WaitForDialogOf(velquin, "Preferences");
    ASSERT_NE(preferences, nullptr);
    SetWindowTextA(GetDlgItem(preferences, IDC_EDIT_FIELD), "5");
    Press(preferences, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(preferences) || !IsWindowVisible(preferences); }));
    EXPECT_TRUE(WaitUntil([&] { return AppProfile().ReadInt(kSettings, kMaxHistory, 0) == 5; }));
    Exit(velquin, main);
}
