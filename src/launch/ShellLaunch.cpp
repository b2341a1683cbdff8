#include "launch/ShellLaunch.h"

#include "framework/App.h"
#include "framework/Com.h"
#include "framework/FileFinder.h"
#include "framework/Handles.h"
#include "framework/Registry.h"
#include "framework/Text.h"
#include "framework/Unicode.h"
#include "launch/NetworkPath.h"
#include "paths/AppPaths.h"
#include "text/CommandText.h"

#include <shellapi.h>
#include <shlobj.h>
#include <winioctl.h>

#include <cstring>
#include <vector>

namespace {

// A text value read into 260 bytes: nothing when it is missing or does not fit.
std::optional<std::string> ReadShortString(HKEY root, const char* path, const std::string& name)
{
    return RegKey::Open(root, path).ReadShortString(name);
}

std::string Directory(UINT(WINAPI* query)(LPWSTR, UINT))
{
    wchar_t folder[MAX_PATH] = {};
    return Utf8(folder, static_cast<int>(query(folder, MAX_PATH)));
}

// The file system as the network decision sees it; nothing here waits on a share.
class SystemPathProbe : public PathProbe {
public:
    bool IsRemoteDrive(const std::string& root) override { return GetDriveTypeW(Wide(root).c_str()) == DRIVE_REMOTE; }
    std::optional<std::string> LinkTarget(const std::string& path) override
    {
        const std::wstring wide = Wide(path);
        const DWORD attributes = GetFileAttributesW(wide.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            return std::nullopt;
        // The link itself is read, not followed: what it points to may be a share that does not answer.
        const FileHandle link(CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, OPEN_EXISTING,
                                            FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (!link)
            return std::nullopt;
        return ReparseTarget(link.Get());
    }

private:
    // The substitute name of a junction or a symbolic link (the layouts of REPARSE_DATA_BUFFER).
    static std::optional<std::string> ReparseTarget(HANDLE link)
    {
        std::vector<BYTE> buffer(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
        DWORD size = 0;
        if (!DeviceIoControl(link, FSCTL_GET_REPARSE_POINT, nullptr, 0, buffer.data(),
                             static_cast<DWORD>(buffer.size()), &size, nullptr) ||
            size < 20)
            return std::nullopt;
        const auto word = [&](size_t at) { return static_cast<size_t>(buffer[at] | buffer[at + 1] << 8); };
        const DWORD tag = static_cast<DWORD>(word(0) | word(2) << 16);
        // After the tag and lengths: the name offsets and lengths, a symbolic link's flags, then the names.
        size_t names = 0;
        if (tag == IO_REPARSE_TAG_MOUNT_POINT)
            names = 16;
        else if (tag == IO_REPARSE_TAG_SYMLINK)
            names = 20;
        else
            return std::nullopt;
        const size_t offset = names + word(8), length = word(10);
        if (offset + length > size || length % 2)
            return std::nullopt;
        std::wstring target(length / 2, L'\0');
        std::memcpy(&target[0], buffer.data() + offset, length);
        return Utf8(target);
    }
};

void EnableShutdownPrivilege()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return;
    const KernelHandle owned(token);
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(owned.Get(), FALSE, &privileges, 0, nullptr, nullptr);
}

}  // namespace

std::string ShortcutTarget(const std::string& shortcutPath)
{
    ComPtr<IShellLinkW> link;
    if (FAILED(CreateComObject(CLSID_ShellLink, IID_IShellLinkW, link.ReceiveVoid())))
        return std::string();
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid())))
        return std::string();
    // Read as stored: resolving may search the disks, show a dialog and rewrite the shortcut.
    if (FAILED(file->Load(Wide(shortcutPath).c_str(), STGM_READ)))
        return std::string();
    wchar_t target[MAX_PATH] = {};
    WIN32_FIND_DATAW found = {};
    if (link->GetPath(target, MAX_PATH, &found, 0) != S_OK)
        return std::string();  // S_FALSE: a shortcut to no file or folder, such as the Control Panel
    return Utf8(target);
}

OpenResult ShellOpen(HWND owner, const OpenRequest& request)
{
    const std::wstring program = Wide(request.program), parameters = Wide(request.parameters),
                       directory = Wide(request.directory);
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI;  // a failure is told by the launch's own message
    info.hwnd = owner;
    info.lpVerb = request.elevated ? L"runas" : L"open";
    info.lpFile = program.c_str();
    info.lpParameters = parameters.c_str();
    info.lpDirectory = directory.empty() ? nullptr : directory.c_str();
    info.nShow = request.showCommand;
    // Shell handlers, a shortcut's among them, expect the component system on the calling thread.
    UseComOnThisThread();
    // A code left over from an earlier call must not pass for this call's outcome.
    SetLastError(ERROR_SUCCESS);
    const BOOL started = ShellExecuteExW(&info);
    const DWORD lastError = started ? ERROR_SUCCESS : GetLastError();
    return {started ? 42 : reinterpret_cast<std::intptr_t>(info.hInstApp), lastError};
}

bool ShellLaunchSystem::SameTextIgnoringCase(const std::string& a, const std::string& b)
{
    return ::SameTextIgnoringCase(a, b);
}

bool ShellLaunchSystem::FindFile(const std::string& pattern, std::string* fullPath)
{
    return FindFirstMatch(pattern, fullPath);
}

std::string ShellLaunchSystem::ExpandReferences(const std::string& text)
{
    return ::ExpandReferences(text);
}

bool ShellLaunchSystem::IsOnNetwork(const std::string& path)
{
    SystemPathProbe probe;
    return IsNetworkPath(path, probe);
}

std::string ShellLaunchSystem::ShortcutTarget(const std::string& path)
{
    return ::ShortcutTarget(path);
}

OpenResult ShellLaunchSystem::Open(const OpenRequest& request)
{
    return ShellOpen(Owner(), request);
}

std::optional<std::string> ShellLaunchSystem::ReadAppPathWorkingDirectory(const std::string& name)
{
    return ::ReadAppPathWorkingDirectory(name);
}

bool ShellLaunchSystem::WriteAppPathEntry(const AppPathEntry& entry)
{
    return ::WriteAppPathEntry(entry).has_value();
}

std::string ShellLaunchSystem::ReadShellFolder(const std::string& valueName)
{
    return ReadShortString(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                           valueName)
        .value_or(std::string());
}

std::string ShellLaunchSystem::SystemDirectory()
{
    return Directory(GetSystemDirectoryW);
}

std::string ShellLaunchSystem::WindowsDirectory()
{
    return Directory(GetWindowsDirectoryW);
}

std::string ShellLaunchSystem::ProgramFolder()
{
    return FolderOf(ModulePath());
}

std::optional<std::string> ShellLaunchSystem::ReadRunHistoryValue(const std::string& name)
{
    return ReadShortString(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU", name);
}

unsigned long ShellLaunchSystem::EndSession(unsigned flags, unsigned long reason)
{
    EnableShutdownPrivilege();
    return ExitWindowsEx(flags, reason) ? ERROR_SUCCESS : GetLastError();
}

std::string ShellLaunchSystem::ErrorText(unsigned long code)
{
    wchar_t text[512] = {};
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                        text, 512, nullptr);
    const std::string said = TrimRight(Utf8(text, static_cast<int>(length)));
    return said.empty() ? "Error " + std::to_string(code) + "." : said;
}

HWND ShellLaunchSystem::Owner()
{
    return App::Exists() ? App::Current().MainWindow() : nullptr;
}
