#include "launch/ShellLaunch.h"

#include "framework/App.h"
#include "framework/Com.h"
#include "framework/FileFinder.h"
#include "framework/Handles.h"
#include "framework/MessageBox.h"
#include "framework/Registry.h"
#include "framework/Shortcut.h"
#include "framework/SystemPathProbe.h"
#include "framework/Text.h"
#include "framework/Unicode.h"
#include "paths/AppPaths.h"
#include "text/CommandText.h"
#include "text/NetworkPath.h"

#include <shellapi.h>
#include <shlobj.h>

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

ULONG ShellOpenMask(const OpenRequest& request)
{
    // A failure is told by the launch's own message. A worker's thread ends after the call: a DDE conversation
    // or a verb's handler would otherwise go on there after ShellExecuteExW returned.
    return SEE_MASK_FLAG_NO_UI | (request.onWorker ? SEE_MASK_NOASYNC : 0);
}

OpenResult ShellOpen(HWND owner, const OpenRequest& request)
{
    const WideString program = Wide(request.program), parameters = Wide(request.parameters),
                       directory = Wide(request.directory);
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = ShellOpenMask(request);
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

std::optional<std::string> ShellLaunchSystem::ReadAppPathProgram(const std::string& name)
{
    if (!AppPathEntryExists(name))
        return std::nullopt;
    const AppPathEntry entry = ReadAppPathEntry(name);
    return entry.programExpands ? ::ExpandReferences(entry.programPath) : entry.programPath;
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
    return SystemErrorText(code);
}

HWND ShellLaunchSystem::Owner()
{
    return App::Exists() ? App::Current().MainWindow() : nullptr;
}
