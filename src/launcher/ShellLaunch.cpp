#include "launcher/ShellLaunch.h"

#include "framework/FileFinder.h"
#include "framework/Handles.h"
#include "framework/Registry.h"
#include "framework/SystemLibrary.h"
#include "launcher/CommandText.h"
#include "paths/AppPaths.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

namespace {

// Releases a COM interface when it goes out of scope.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr()
    {
        if (pointer_)
            pointer_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* operator->() const { return pointer_; }
    Interface** Receive() { return &pointer_; }
    void** ReceiveVoid() { return reinterpret_cast<void**>(&pointer_); }

private:
    Interface* pointer_ = nullptr;
};

// A text value read into 260 bytes: nothing when it is missing or does not fit.
std::optional<std::string> ReadShortString(HKEY root, const char* path, const std::string& name)
{
    const RegKey key = RegKey::Open(root, path);
    if (!key)
        return std::nullopt;
    char data[260] = {};
    DWORD size = sizeof(data);
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::string(data, strnlen(data, sizeof(data) - 1));
}

std::string Directory(UINT(WINAPI* query)(LPSTR, UINT))
{
    char folder[MAX_PATH] = {};
    query(folder, MAX_PATH);
    return folder;
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

std::string ResolveShortcut(HWND owner, const std::string& shortcutPath)
{
    // The component system is loaded with the first shortcut, not at start-up; it stays initialised for
    // the thread: resolutions come again and again.
    static SystemLibrary ole("ole32.dll");
    auto* initialize = ole.Procedure<decltype(CoInitialize)>("CoInitialize");
    auto* createInstance = ole.Procedure<decltype(CoCreateInstance)>("CoCreateInstance");
    if (!initialize || !createInstance)
        return std::string();
    initialize(nullptr);

    ComPtr<IShellLinkA> link;
    if (FAILED(createInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid())))
        return std::string();
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid())))
        return std::string();

    WCHAR widePath[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, shortcutPath.c_str(), -1, widePath, MAX_PATH);
    if (FAILED(file->Load(widePath, STGM_READ)) || FAILED(link->Resolve(owner, SLR_ANY_MATCH)))
        return std::string();

    char target[MAX_PATH] = {};
    shortcutPath.copy(target, MAX_PATH - 1);
    WIN32_FIND_DATAA found = {};
    link->GetPath(target, MAX_PATH, &found, SLGP_SHORTPATH);
    return target;
}

OpenResult ShellOpen(HWND owner, const OpenRequest& request)
{
    // A code left over from an earlier call must not pass for this call's outcome.
    SetLastError(ERROR_SUCCESS);
    if (!request.elevated) {
        const HINSTANCE result = ShellExecuteA(owner, "open", request.program.c_str(), request.parameters.c_str(),
                                               request.directory.c_str(), request.showCommand);
        const DWORD lastError = GetLastError();
        return {reinterpret_cast<std::intptr_t>(result), lastError};
    }
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI;  // a failure is told by the launch's own message
    info.hwnd = owner;
    info.lpVerb = "runas";
    info.lpFile = request.program.c_str();
    info.lpParameters = request.parameters.c_str();
    info.lpDirectory = request.directory.c_str();
    info.nShow = request.showCommand;
    const BOOL started = ShellExecuteExA(&info);
    const DWORD lastError = started ? ERROR_SUCCESS : GetLastError();
    return {started ? 42 : reinterpret_cast<std::intptr_t>(info.hInstApp), lastError};
}

bool ShellLaunchSystem::SameTextIgnoringCase(const std::string& a, const std::string& b)
{
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

bool ShellLaunchSystem::FindFile(const std::string& pattern, std::string* fullPath)
{
    return FindFirstMatch(pattern, fullPath);
}

std::string ShellLaunchSystem::ExpandReferences(const std::string& text)
{
    if (text.find('%') == std::string::npos)
        return text;
    const DWORD size = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    std::string expanded(size + 1, '\0');  // the ANSI call may count one byte more than it writes
    const DWORD written = size ? ExpandEnvironmentStringsA(text.c_str(), &expanded[0], size + 1) : 0;
    if (written == 0 || written > size + 1)
        return text;
    expanded.resize(std::strlen(expanded.c_str()));
    return expanded;
}

bool ShellLaunchSystem::IsOnNetwork(const std::string& path)
{
    if (IsUncPath(path))
        return true;
    const std::string root = DriveRootOf(path);
    return !root.empty() && GetDriveTypeA(root.c_str()) == DRIVE_REMOTE;
}

std::string ShellLaunchSystem::ResolveShortcut(const std::string& path)
{
    return ::ResolveShortcut(owner_, path);
}

OpenResult ShellLaunchSystem::Open(const OpenRequest& request)
{
    return ShellOpen(owner_, request);
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
    return Directory(GetSystemDirectoryA);
}

std::string ShellLaunchSystem::WindowsDirectory()
{
    return Directory(GetWindowsDirectoryA);
}

std::string ShellLaunchSystem::ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return FolderOf(path);
}

std::optional<std::string> ShellLaunchSystem::ReadRunHistoryValue(const std::string& name)
{
    return ReadShortString(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU", name);
}

void ShellLaunchSystem::EndSession(unsigned flags)
{
    EnableShutdownPrivilege();
    ExitWindowsEx(flags, 0);
}
