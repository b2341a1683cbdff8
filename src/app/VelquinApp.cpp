#include "app/VelquinApp.h"

#include "commands/SettingsFiles.h"
#include "framework/Console.h"
#include "framework/MessageBox.h"
#include "framework/SystemLibrary.h"
#include "framework/Text.h"
#include "framework/Unicode.h"
#include "res/resource.h"
#include "settings/ProfileLayout.h"
#include "window/VelquinDlg.h"

#include <shellapi.h>
#include <shlobj.h>

#include <ctime>

namespace {

// Nothing is ever found in whatever folder Velquin was started from or a file dialog last showed, nor
// beside Velquin.exe itself (the zip's copy often runs from Downloads): a program or DLL planted there must
// not run in place of the system's. The process works in the user's profile folder, as the system's own Run
// box does, and DLLs loaded by name come from the system folder alone.
void KeepPlantedFilesOut()
{
    // Windows 7 without its security update lacks this one.
    SystemLibrary kernel("kernel32.dll");
    if (auto* setDefaultDirectories = kernel.Procedure<BOOL WINAPI(DWORD)>("SetDefaultDllDirectories"))
        setDefaultDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryA("");  // takes the current folder out of the DLL search everywhere

    wchar_t profileFolder[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, profileFolder)))
        SetCurrentDirectoryW(profileFolder);
}

// The running copy's main window: a dialog captioned "Velquin" that holds the history box and carries this
// copy's mark, shown or not. It may still be on its way up: a short wait.
HWND FindRunningWindow(unsigned long mark)
{
    for (int attempt = 0; attempt < 20; ++attempt, Sleep(100)) {
        for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", "Velquin")) != nullptr;) {
            if (GetDlgItem(w, IDC_HISTORY_COMBO) &&
                reinterpret_cast<ULONG_PTR>(GetPropA(w, kCopyMarkProperty)) == mark)
                return w;
        }
    }
    return nullptr;
}

// Asks the running copy to come forward, as its hotkey would; false when it cannot be reached.
bool BringRunningCopyForward(unsigned long mark)
{
    const HWND running = FindRunningWindow(mark);
    DWORD owner = 0;
    if (!running || !GetWindowThreadProcessId(running, &owner))
        return false;
    AllowSetForegroundWindow(owner);  // this start has the right to the foreground: it passes it on
    DWORD_PTR answered = FALSE;
    return SendMessageTimeoutA(running, RegisterWindowMessageA(kSummonMessageName), 0, 0, SMTO_ABORTIFHUNG, 5000,
                               &answered) &&
           answered;
}

// What the command line asks for besides the window.
struct Command {
    enum Kind { Window, Export, Import } kind = Window;
    std::string file;  // full path; empty when none was named
};

// Read before the process changes its folder: a relative file name is the console's.
Command ReadCommand()
{
    Command command;
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!words)
        return command;
    const std::string verb = count > 1 ? Utf8(words[1]) : std::string();
    if (EqualsAsciiNoCase(verb, "/export") || EqualsAsciiNoCase(verb, "/import")) {
        command.kind = EqualsAsciiNoCase(verb, "/export") ? Command::Export : Command::Import;
        wchar_t full[MAX_PATH] = {};
        const DWORD length = count > 2 ? GetFullPathNameW(words[2], MAX_PATH, full, nullptr) : 0;
        if (length > 0 && length < MAX_PATH)
            command.file = Utf8(full);
    }
    LocalFree(words);
    return command;
}

// Velquin.ini beside Velquin.exe makes a portable copy: the file's path, or nothing.
std::optional<std::string> PortableProfile()
{
    std::string path = ModulePath();
    path = path.substr(0, path.rfind('\\') + 1) + profile::kPortableFile;
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return path;
}

// What names a portable copy: its folder as the file system knows it, so that every way to it (a short
// name, a mapped drive and its share, a junction) is one copy; its folded path where the system cannot say.
std::string CopyIdentity(const std::string& folder)
{
    const FileHandle handle(CreateFileW(Wide(folder).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION facts = {};
    if (handle && GetFileInformationByHandle(handle.Get(), &facts))
        return std::to_string(facts.dwVolumeSerialNumber) + ":" + std::to_string(facts.nFileIndexHigh) + ":" +
               std::to_string(facts.nFileIndexLow);
    return FoldCase(folder);
}

// The window hears of the first write its file could not take; a later one says nothing new.
void NoteProfileNotSaved(unsigned long error)
{
    static bool told = false;
    const HWND window = App::Current().MainWindow();
    if (told || !window)
        return;
    told = PostMessageA(window, RegisterWindowMessageA(kProfileNotSavedMessageName), error, 0);
}

int RunCommand(const Command& command, ProfileStore& profile, bool anotherCopyRuns)
{
    TransferOutcome outcome;
    const unsigned long unread = App::Current().ProfileFileError();
    if (command.file.empty())
        outcome = {kTransferNoFile, "Velquin /export <file> saves the profile to the file; Velquin /import <file> "
                                    "reads one into it."};
    else if (command.kind == Command::Export && unread)
        outcome = {kTransferNoFile, "Velquin could not read its profile beside it: " + SystemErrorText(unread) +
                                        " Nothing was exported."};
    else if (command.kind == Command::Export)
        outcome = ExportProfileTo(profile, command.file, SystemTransferFiles());
    else if (anotherCopyRuns)
        outcome = {kTransferRefused, "Velquin did not import " + command.file +
                                         ": Velquin is running and would write its own profile back over it. Exit "
                                         "it, then import again. Nothing was changed."};
    else
        outcome = ImportProfileFrom(profile, command.file, SystemTransferFiles(), SameTextIgnoringCase,
                                    static_cast<std::int64_t>(std::time(nullptr)));
    SayToConsole(outcome.said);
    return outcome.exitCode;
}

}  // namespace

bool CVelquinApp::InitInstance()
{
    const Command command = ReadCommand();
    KeepPlantedFilesOut();

    const std::optional<std::string> portable = PortableProfile();
    const std::string identity = portable ? CopyIdentity(portable->substr(0, portable->rfind('\\'))) : std::string();
    const unsigned long mark = portable ? ::CopyMark(identity) : 0;

    // An export only reads: it runs beside a running copy. Anything else holds the guard before it reads the
    // profile, so that no copy on its way out writes after the read.
    bool anotherCopyRuns = false;
    if (command.kind != Command::Export) {
        const std::string guard = portable ? PortableGuardName(identity) : kInstanceGuardName;
        instanceGuard_.Reset(CreateMutexA(nullptr, TRUE, guard.c_str()));
        anotherCopyRuns = AnotherCopyRuns(GetLastError());
    }
    if (command.kind == Command::Window && anotherCopyRuns) {
        if (!BringRunningCopyForward(mark))
            ShowMessageBox(nullptr, kAlreadyRunningText, "Velquin", MB_ICONERROR);
        return false;
    }
    if (portable)
        UseProfileFile(*portable, NoteProfileNotSaved);
    else
        SetRegistryKey(profile::kCompany);

    if (command.kind != Command::Window) {
        exitCode_ = RunCommand(command, Profile(), anotherCopyRuns);
        return false;
    }

    SetCopyMark(mark);
    CVelquinDlg dialog;
    dialog.DoModal();
    SetMainWindow(nullptr);
    return false;
}
