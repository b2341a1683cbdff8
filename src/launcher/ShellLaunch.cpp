#include "launcher/ShellLaunch.h"

#include "framework/FileFinder.h"
#include "framework/Handles.h"
#include "framework/Registry.h"
#include "framework/SystemLibrary.h"
#include "framework/Unicode.h"
#include "launcher/CommandText.h"
#include "paths/AppPaths.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

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

    ComPtr<IShellLinkW> link;
    if (FAILED(createInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.ReceiveVoid())))
        return std::string();
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid())))
        return std::string();

    const std::wstring widePath = Wide(shortcutPath);
    if (FAILED(file->Load(widePath.c_str(), STGM_READ)) || FAILED(link->Resolve(owner, SLR_ANY_MATCH)))
        return std::string();

    wchar_t target[MAX_PATH] = {};
    widePath.copy(target, MAX_PATH - 1);
    WIN32_FIND_DATAW found = {};
    link->GetPath(target, MAX_PATH, &found, SLGP_SHORTPATH);
    return Utf8(target);
}

OpenResult ShellOpen(HWND owner, const OpenRequest& request)
{
    // A code left over from an earlier call must not pass for this call's outcome.
    SetLastError(ERROR_SUCCESS);
    const std::wstring program = Wide(request.program), parameters = Wide(request.parameters),
                       directory = Wide(request.directory);
    if (!request.elevated) {
        const HINSTANCE result = ShellExecuteW(owner, L"open", program.c_str(), parameters.c_str(), directory.c_str(),
                                               request.showCommand);
        const DWORD lastError = GetLastError();
        return {reinterpret_cast<std::intptr_t>(result), lastError};
    }
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI;  // a failure is told by the launch's own message
    info.hwnd = owner;
    info.lpVerb = L"runas";
    info.lpFile = program.c_str();
    info.lpParameters = parameters.c_str();
    info.lpDirectory = directory.c_str();
    info.nShow = request.showCommand;
    const BOOL started = ShellExecuteExW(&info);
    const DWORD lastError = started ? ERROR_SUCCESS : GetLastError();
    return {started ? 42 : reinterpret_cast<std::intptr_t>(info.hInstApp), lastError};
}

bool ShellLaunchSystem::SameTextIgnoringCase(const std::string& a, const std::string& b)
{
    const std::wstring first = Wide(a), second = Wide(b);
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, first.data(), static_cast<int>(first.size()),
                          second.data(), static_cast<int>(second.size())) == CSTR_EQUAL;
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

void ShellLaunchSystem::EndSession(unsigned flags)
{
    EnableShutdownPrivilege();
    ExitWindowsEx(flags, 0);
}
