// Velquin.exe as shipped, started as a process of its own and driven from this one, as a user would.
#include "TestSupport.h"

#include "framework/Handles.h"

#include <algorithm>
#include <cstdlib>

namespace {

std::string VelquinExe()
{
    std::string exe = std::getenv("VELQUIN_EXE") ? std::getenv("VELQUIN_EXE") : "Velquin.exe";
    std::replace(exe.begin(), exe.end(), '/', '\\');
    return exe;
}

// A started copy of Velquin, ended by force if a test leaves it running.
struct Process {
    KernelHandle process, thread;
    explicit Process(const std::string& folder = std::string())
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info = {};
        std::string command = "\"" + VelquinExe() + "\"";
        CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &startup, &info);
        process.Reset(info.hProcess), thread.Reset(info.hThread);
    }
    ~Process() { TerminateProcess(process.Get(), 99); }
    DWORD WaitForExit() const
    {
        DWORD code = STILL_ACTIVE;
        WaitForSingleObject(process.Get(), 15000);
        GetExitCodeProcess(process.Get(), &code);
        return code;
    }
};

// A visible "Velquin" window of any process: the main window (it has the drop-down box) or a message box.
HWND FindVelquin(bool messageBox)
{
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", "Velquin")) != nullptr;) {
        if (IsWindowVisible(w) && (messageBox ? IsMessageBox(w) : GetDlgItem(w, 1000) != nullptr))
            return w;
    }
    return nullptr;
}

// The first such window within 20 seconds.
HWND WaitForVelquin(bool messageBox = false)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < 20000; Sleep(25)) {
        if (HWND window = FindVelquin(messageBox))
            return window;
    }
    return nullptr;
}

// A control's text in another process: only WM_GETTEXT asks the control itself.
std::string TextOf(HWND control)
{
    char text[1024] = {};
    SendMessageA(control, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

void Exit(Process& velquin, HWND main)
{
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(velquin.WaitForExit(), 0u);
}

class EndToEnd : public ::testing::Test {
protected:
    TestApp app;
};

}  // namespace

TEST_F(EndToEnd, TheFirstStartSavesTheSettingsTheNextOffersTheTextLaunchedAndASecondBringsItForwardOrSaysSo)
{
    CleanTestAppPaths();
    const RecorderCopy recorder("VelquinE2E", "rec.exe");
    ASSERT_TRUE(recorder.copied);
    const std::string typed = recorder.program + " one two";
    const char* const run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    RegDeleteKeyValueA(HKEY_CURRENT_USER, run, "Velquin");
    {
        Process velquin;
        HWND main = WaitForVelquin();
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(AppProfile().ReadString("Settings", "Saved"), "Options saved");
        EXPECT_EQ(_stricmp(ReadAppPathEntry("Velquin.exe").programPath.c_str(), VelquinExe().c_str()), 0);
        std::string startsWithWindows;  // written once the window is up, without a visit to Preferences
        for (int i = 0; i < 100 && startsWithWindows.empty(); ++i, Sleep(50))
            startsWithWindows = ReadRawValue(HKEY_CURRENT_USER, run, "Velquin");
        EXPECT_EQ(_stricmp(startsWithWindows.c_str(), ("1 \"" + VelquinExe() + "\"").c_str()), 0) << startsWithWindows;

        HWND edit = FindWindowExA(GetDlgItem(main, 1000), nullptr, "Edit", nullptr);
        TypeText(edit, typed);
        PressKey(edit, VK_RETURN);
        const std::string commandLine = recorder.WaitForRecord().first;
        EXPECT_NE(commandLine.find("rec.exe\"  one two"), std::string::npos) << commandLine;
        Exit(velquin, main);
    }
    // Started again from a folder that holds a planted notepad.exe: Notepad must be the system's.
    const RecorderCopy planted("VelquinPlanted", "notepad.exe");
    Process again(planted.folder);
    HWND main = WaitForVelquin();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(main, 1000)), typed);
    PostMessageA(main, WM_COMMAND, 32810, 0);  // Programs, Notepad
    Sleep(1500);
    EXPECT_EQ(ReadFile(planted.record), "") << "the planted notepad.exe ran";

    // A copy started while this one runs (its window away in the tray) brings it forward and ends quietly.
    ShowWindow(main, SW_HIDE);
    Process second;
    EXPECT_EQ(second.WaitForExit(), 0u);
    EXPECT_TRUE(IsWindowVisible(main) && GetForegroundWindow() == main);
    Exit(again, main);
    RegDeleteKeyValueA(HKEY_CURRENT_USER, run, "Velquin");

    // A copy that cannot reach the running one (here one without a window yet) says so and ends.
    const KernelHandle guard(CreateMutexA(nullptr, TRUE, "Velquin is Running"));
    Process third;
    HWND box = WaitForVelquin(true);
    ASSERT_NE(box, nullptr);
    const MessageBoxSeen seen = ReadMessageBox(box);  // its icon is another process's handle
    EXPECT_EQ(seen.caption + " | " + seen.text, "Velquin | Velquin is already running in another window.");
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(third.WaitForExit(), 0u);
}
