#include "launcher/ShellLaunch.h"

#include "framework/FileFinder.h"
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

}  // namespace

std::string ResolveShortcut(HWND owner, const std::string& shortcutPath)
{
    // The component system stays initialised for the thread: resolutions come again and again.
    CoInitialize(nullptr);

    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid())))
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
    const HINSTANCE result = ShellExecuteA(owner, "open", request.program.c_str(), request.parameters.c_str(),
                                           request.directory.c_str(), request.showCommand);
    const DWORD lastError = GetLastError();
    return {reinterpret_cast<std::intptr_t>(result), lastError};
}

bool ShellLaunchSystem::FindFile(const std::string& pattern, std::string* fullPath)
{
    return FindFirstMatch(pattern, fullPath);
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

void ShellLaunchSystem::WriteAppPathEntry(const AppPathEntry& entry)
{
    ::WriteAppPathEntry(entry);
}
