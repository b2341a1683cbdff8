// Velquin.exe as shipped, started as a process of its own and driven from this one, as a user would.
#include "TestSupport.h"

#include "framework/Handles.h"

#include <algorithm>
#include <fstream>
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
    // Its output, when given, goes to that file.
    explicit Process(const std::string& folder = std::string(), const std::string& exe = VelquinExe(),
                     const std::string& arguments = std::string(), HANDLE output = nullptr)
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        if (output) {
            startup.dwFlags = STARTF_USESTDHANDLES;
            startup.hStdOutput = output;
        }
        PROCESS_INFORMATION info = {};
        std::string command = "\"" + exe + "\" " + arguments;
        CreateProcessA(nullptr, &command[0], nullptr, nullptr, output != nullptr, 0, nullptr,
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

// A visible "Velquin" window of any process but the one known already: the main window (it has the
// drop-down box) or a message box.
HWND FindVelquin(bool messageBox, HWND known)
{
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", "Velquin")) != nullptr;) {
        if (w != known && IsWindowVisible(w) && (messageBox ? IsMessageBox(w) : GetDlgItem(w, 1000) != nullptr))
            return w;
    }
    return nullptr;
}

// The first such window within the time (20 seconds unless told).
HWND WaitForVelquin(bool messageBox = false, HWND known = nullptr, DWORD within = 20000)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < within; Sleep(25)) {
        if (HWND window = FindVelquin(messageBox, known))
            return window;
    }
    return nullptr;
}

// The copy's main window within 40 seconds; when none comes, the failure says what became of the copy.
HWND WindowOf(const Process& velquin, HWND known = nullptr)
{
    if (HWND window = WaitForVelquin(false, known, 40000))
        return window;
    DWORD code = 0;
    GetExitCodeProcess(velquin.process.Get(), &code);
    const HWND box = FindVelquin(true, nullptr);
    ADD_FAILURE() << "no window; the copy " << (code == STILL_ACTIVE ? "runs" : "ended with " + std::to_string(code))
                  << (box ? ", showing \"" + ReadMessageBox(box).text + "\"" : std::string());
    return nullptr;
}

// Velquin started with a command: its exit code, and what it wrote to its output in `said`.
DWORD RunCommand(const std::string& exe, const std::string& arguments, std::string& said,
                 const std::string& folder = std::string())
{
    const std::string outputPath = TempPath("velquin said.txt");
    SECURITY_ATTRIBUTES inherited = {sizeof(inherited), nullptr, TRUE};
    DWORD code = STILL_ACTIVE;
    {
        const FileHandle output(CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                            CREATE_ALWAYS, 0, nullptr));
        Process velquin(folder, exe, arguments, output.Get());
        code = velquin.WaitForExit();
    }
    said = ReadFile(outputPath);
    DeleteFileA(outputPath.c_str());
    return code;
}

bool ProfileKeyExists()
{
    HKEY key = nullptr;
    const bool exists = RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Velquin", 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (exists)
        RegCloseKey(key);
    return exists;
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

TEST_F(EndToEnd, APortableCopyKeepsItsProfileBesideItLeavesTheMachineAloneAndRunsBesideAnInstalledCopy)
{
    CleanTestAppPaths();
    const char* const run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    RegDeleteKeyValueA(HKEY_CURRENT_USER, run, "Velquin");
    const RecorderCopy recorder("VelquinPortable", "rec.exe");
    const std::string stick = TempPath("Velquin Stick"), exe = stick + "\\Velquin.exe", ini = stick + "\\Velquin.ini";
    CreateDirectoryA(stick.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(VelquinExe().c_str(), exe.c_str(), FALSE));
    ASSERT_TRUE(MakeFile(ini));
    const std::string typed = recorder.program + " portable";
    {
        Process velquin(std::string(), exe);
        HWND main = WindowOf(velquin);
        ASSERT_NE(main, nullptr);
        HWND edit = FindWindowExA(GetDlgItem(main, 1000), nullptr, "Edit", nullptr);
        TypeText(edit, typed);
        PressKey(edit, VK_RETURN);
        EXPECT_NE(recorder.WaitForRecord().first, "");
        EXPECT_NE(ReadFile(ini).find("File #1=" + typed), std::string::npos) << "not on disk after the launch";
        Exit(velquin, main);
    }
    const std::string saved = ReadFile(ini);
    EXPECT_EQ(saved.substr(0, 3), "\xEF\xBB\xBF");
    for (const std::string& line : {"\r\nFile #1=" + typed + "\r\n", std::string("\r\nStartAuto=0\r\n")})
        EXPECT_NE(saved.find(line), std::string::npos) << line << " in\n" << saved;
    EXPECT_FALSE(ProfileKeyExists());
    EXPECT_EQ(ReadAppPathEntry("Velquin.exe").programPath, "");
    EXPECT_EQ(ReadRawValue(HKEY_CURRENT_USER, run, "Velquin"), "");

    // Started again, it offers what it launched, and an installed copy runs beside it.
    Process portable(std::string(), exe);
    HWND main = WindowOf(portable);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(main, 1000)), typed);
    // Its Preferences' OK, "Start when Windows Starts" unticked, leaves an installed copy's Run value alone.
    const std::string installedValue = "\"C:\\Program Files\\Velquin\\Velquin.exe\"";
    RegSetKeyValueA(HKEY_CURRENT_USER, run, "Velquin", REG_SZ, installedValue.c_str(),
                    static_cast<DWORD>(installedValue.size() + 1));
    PostMessageA(main, WM_COMMAND, 32799, 0);
    HWND preferences = nullptr;
    for (int i = 0; i < 400 && !(preferences = FindWindowA("#32770", "Preferences")); ++i)
        Sleep(25);
    ASSERT_NE(preferences, nullptr);
    PostMessageA(preferences, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (int i = 0; i < 400 && IsWindow(preferences); ++i)
        Sleep(25);
    EXPECT_STREQ(ReadRawValue(HKEY_CURRENT_USER, run, "Velquin").c_str(), ("1 " + installedValue).c_str());
    RegDeleteKeyValueA(HKEY_CURRENT_USER, run, "Velquin");
    Process installed;
    HWND other = WindowOf(installed, main);
    ASSERT_NE(other, nullptr);
    // A second start of the portable copy brings its own window forward.
    ShowWindow(main, SW_HIDE);
    Process second(std::string(), exe);
    EXPECT_EQ(second.WaitForExit(), 0u);
    EXPECT_TRUE(IsWindowVisible(main));

    // Beside the running copies: the export reads, the import refuses and changes nothing.
    std::string said;
    EXPECT_EQ(RunCommand(exe, "/export carried.ini", said, stick), 0u) << said;
    EXPECT_NE(ReadFile(stick + "\\carried.ini").find("File #1=" + typed), std::string::npos);
    std::ofstream(stick + "\\carried.ini", std::ios::binary) << "[Velquin MRU]\r\nFile #1=another text\r\n";
    EXPECT_EQ(RunCommand(exe, "/import carried.ini", said, stick), 3u);
    EXPECT_NE(said.find("Velquin is running"), std::string::npos) << said;
    EXPECT_EQ(ReadFile(ini), saved);
    Exit(installed, other);
    Exit(portable, main);

    // A file it cannot read at start, it never writes over.
    const std::string before = ReadFile(ini);
    {
        FileHandle locked(CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        Process unreadable(std::string(), exe);
        HWND box = WaitForVelquin(true);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(RunCommand(exe, "/export empty.ini", said, stick), 1u) << "an empty profile exported as the user's";
        EXPECT_EQ(GetFileAttributesA((stick + "\\empty.ini").c_str()), INVALID_FILE_ATTRIBUTES);
        locked.Reset();  // writable again, and still left alone
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        Exit(unreadable, WindowOf(unreadable));
    }
    EXPECT_EQ(ReadFile(ini), before);

    // While another program holds the file, Velquin says once that it cannot save, goes on, and saves what
    // it kept once it can. A line it could not read is kept in a copy.
    std::ofstream(ini, std::ios::binary | std::ios::app) << "a line of no meaning\r\n";
    Process held(std::string(), exe);
    main = WindowOf(held);
    ASSERT_NE(main, nullptr);
    HWND edit = FindWindowExA(GetDlgItem(main, 1000), nullptr, "Edit", nullptr);
    {
        const FileHandle holder(CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                            nullptr));
        for (const char* word : {" first", " second"}) {
            SetWindowTextA(edit, "");
            TypeText(edit, recorder.program + word);
            PressKey(edit, VK_RETURN);
            EXPECT_NE(recorder.WaitForRecord().first, "");
            const bool first = std::string(word) == " first";
            HWND box = WaitForVelquin(true, nullptr, first ? 20000 : 1500);
            if (first) {
                ASSERT_NE(box, nullptr);
                const std::string text = ReadMessageBox(box).text;
                EXPECT_EQ(text.rfind("Velquin cannot save its settings and history in " + stick, 0), 0u) << text;
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                for (int i = 0; i < 100 && IsWindow(box); ++i)
                    Sleep(20);
            } else {
                EXPECT_EQ(box, nullptr) << "said twice";
            }
        }
    }
    Exit(held, main);
    EXPECT_NE(ReadFile(ini + ".bak").find("a line of no meaning"), std::string::npos);
    for (const std::string& entry :
         {"File #1=" + recorder.program + " second", "File #2=" + recorder.program + " first"})
        EXPECT_NE(ReadFile(ini).find(entry), std::string::npos) << entry;
}

TEST_F(EndToEnd, ExportThenImportRestoresAWipedProfileAndAFileThatIsNoProfileChangesNothing)
{
    ProfileStore& profile = AppProfile();
    profile.WriteString("Settings", "Saved", "Options saved");
    profile.WriteInt("Settings", "MaxHistory", 12);
    profile.WriteString("Settings", "LogFile", "C:\\Logs\\{velquin}.txt");
    profile.WriteString("Velquin MRU", "File #1", "notepad C:\\Текст.txt");
    profile.WriteString("Velquin MRU", "File #2", "  calc");
    profile.WriteString("Aliases", "g", "https://example.com/?q={*}");
    profile.WriteString("Learning", "Record #1", "no\tnotepad c:\\текст.txt\t1.9\t1765000000");
    profile.WriteString("Hidden", "Hidden #1", "C:\\OLD\\TOOL.EXE");
    profile.WriteInt("Window", "Left", 77);

    std::string said;
    const std::string folder = TempPath("");
    EXPECT_EQ(RunCommand(VelquinExe(), "/export \"velquin profile.ini\"", said, folder), 0u) << said;
    EXPECT_NE(said.find("saved its profile"), std::string::npos) << said;
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Velquin");

    const std::string bad = TempPath("no profile.ini");
    std::ofstream(bad, std::ios::binary) << "[Settings]\r\nLogFile=x\r\nMaxHistory=many\r\n";
    EXPECT_EQ(RunCommand(VelquinExe(), "/import \"" + bad + "\"", said), 2u);
    EXPECT_NE(said.find("line 3"), std::string::npos) << said;
    EXPECT_EQ(RunCommand(VelquinExe(), "/import \"" + TempPath("missing.ini") + "\"", said), 1u);
    EXPECT_EQ(RunCommand(VelquinExe(), "/import", said), 1u);
    EXPECT_FALSE(ProfileKeyExists());

    EXPECT_EQ(RunCommand(VelquinExe(), "/import \"" + folder + "velquin profile.ini\"", said), 0u) << said;
    const std::string key = "Software\\Velquin\\VELQUIN\\";
    EXPECT_EQ(ReadRawValue(HKEY_CURRENT_USER, key + "Settings", "MaxHistory"), std::string("4 \x0C\0\0\0", 6));
    EXPECT_EQ(profile.ReadString("Settings", "LogFile"), "C:\\Logs\\{velquin}.txt");
    EXPECT_EQ(profile.ReadString("Velquin MRU", "File #1"), "notepad C:\\Текст.txt");
    EXPECT_EQ(profile.ReadString("Velquin MRU", "File #2"), "  calc");
    EXPECT_EQ(profile.ReadString("Aliases", "g"), "https://example.com/?q={*}");
    EXPECT_EQ(profile.ReadString("Learning", "Record #1"), "no\tnotepad c:\\текст.txt\t1.9\t1765000000");
    EXPECT_EQ(profile.ReadString("Hidden", "Hidden #1"), "C:\\OLD\\TOOL.EXE");
    EXPECT_EQ(profile.ReadInt("Window", "Left", -1), -1);  // the window's place stays with the machine
    DeleteFileA((folder + "velquin profile.ini").c_str());
    DeleteFileA(bad.c_str());
}
