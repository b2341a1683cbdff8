#include "suggest/SuggestSystem.h"

#include "framework/AppsFolder.h"
#include "framework/Com.h"
#include "framework/Registry.h"
#include "framework/Shortcut.h"
#include "framework/SystemLibrary.h"
#include "framework/SystemPathProbe.h"
#include "framework/Text.h"
#include "framework/Unicode.h"
#include "paths/AppPaths.h"
#include "text/NetworkPath.h"

#include <shellapi.h>
#include <shlobj.h>

#include <functional>
#include <string_view>
#include <utility>

namespace {

// Enough for any real folder; a larger one is offered in part rather than held whole.
constexpr std::size_t kMostEntries = 200000;
// Shortcuts nested deeper than this are not looked for: a loop of folders would never end.
constexpr int kDeepestFolder = 8;

std::string Variable(const char* name)
{
    WideString value(32767, L'\0');
    const DWORD length = GetEnvironmentVariableW(Wide(name).c_str(), value.data(), 32767);
    return length > 0 && length < 32767 ? Utf8(value.data(), static_cast<int>(length)) : std::string();
}

// Calls `each` for the folder's entries, "." and ".." left out; the large fetch asks the file system for
// many entries at once, which matters on the network.
void ForEachEntry(const std::string& folder, const std::function<bool(const WIN32_FIND_DATAW&)>& each)
{
    WIN32_FIND_DATAW found = {};
    UniqueHandle<FindHandleTraits> find(FindFirstFileExW(Wide(folder + "*").c_str(), FindExInfoBasic, &found,
                                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find)
        return;
    do {
        const std::wstring_view name = found.cFileName;
        if (name != L"." && name != L".." && !each(found))
            return;
    } while (FindNextFileW(find.Get(), &found));
}

bool IsFolder(const WIN32_FIND_DATAW& found)
{
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void FindShortcuts(const std::string& folder, int depth, std::vector<std::string>& shortcuts)
{
    ForEachEntry(folder, [&](const WIN32_FIND_DATAW& found) {
        const std::string name = Utf8(found.cFileName);
        // A junction may lead back up: only real folders are entered.
        if (IsFolder(found) && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && depth < kDeepestFolder)
            FindShortcuts(folder + name + "\\", depth + 1, shortcuts);
        else if (!IsFolder(found) && name.size() > 4 &&
                 (EqualsAsciiNoCase(name.substr(name.size() - 4), ".lnk") ||
                  EqualsAsciiNoCase(name.substr(name.size() - 4), ".url")))
            shortcuts.push_back(folder + name);
        return shortcuts.size() < kMostEntries;
    });
}

std::string ProgramsFolder(int which)
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, path)) || !path[0])
        return std::string();
    return Utf8(path) + "\\";
}

bool OnNetwork(const std::string& path)
{
    SystemPathProbe probe;
    return IsNetworkPath(path, probe);
}

bool Exists(const std::string& path)
{
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Where the shortcut leads; a share is not asked whether its file is there.
void ReadTarget(ShortcutFile& shortcut)
{
    shortcut.target = ShortcutTarget(shortcut.path);
    if (shortcut.target.empty())
        return;
    shortcut.targetOnNetwork = OnNetwork(shortcut.target);
    shortcut.targetExists = !shortcut.targetOnNetwork && Exists(shortcut.target);
}

std::vector<std::string> PathFolders()
{
    std::vector<std::string> folders;
    const std::string path = Variable("PATH");
    for (std::size_t start = 0; start < path.size();) {
        const std::size_t end = std::min(path.find(';', start), path.size());
        std::string folder = Trim(path.substr(start, end - start));
        start = end + 1;
        if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"')
            folder = folder.substr(1, folder.size() - 2);
        if (folder.empty() || OnNetwork(folder))  // its listing may wait on the network
            continue;
        if (folder.back() != '\\')
            folder += '\\';
        folders.push_back(folder);
    }
    return folders;
}

std::vector<std::string> VariableNames()
{
    std::vector<std::string> names;
    wchar_t* block = GetEnvironmentStringsW();
    if (!block)
        return names;
    for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1) {
        const wchar_t* equals = wcschr(entry + 1, L'=');  // names such as "=C:" are the system's own
        if (entry[0] != L'=' && equals)
            names.push_back(Utf8(entry, static_cast<int>(equals - entry)));
    }
    FreeEnvironmentStringsW(block);
    return names;
}

class ShellSourceWatch : public SourceWatch {
public:
    ShellSourceWatch()
    {
        for (int which : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS}) {
            const std::string folder = ProgramsFolder(which);
            const HANDLE change = folder.empty() ? INVALID_HANDLE_VALUE
                                                 : FindFirstChangeNotificationW(Wide(folder).c_str(), TRUE,
                                                                                FILE_NOTIFY_CHANGE_FILE_NAME |
                                                                                    FILE_NOTIFY_CHANGE_DIR_NAME);
            if (change != INVALID_HANDLE_VALUE)
                folders_.push_back(change);
        }
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
            // The user's own table is often not there yet: it is made empty, so that its first entry is seen.
            RegKey key = root == HKEY_CURRENT_USER ? RegKey::Create(root, kAppPathsKey)
                                                   : RegKey::Open(root, kAppPathsKey, KEY_NOTIFY);
            KernelHandle event(CreateEventW(nullptr, FALSE, FALSE, nullptr));
            if (key && event &&
                RegNotifyChangeKeyValue(key.Get(), TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                                        event.Get(), TRUE) == ERROR_SUCCESS) {
                keys_.push_back(std::move(key));  // the notice lasts as long as the key is open
                keyEvents_.push_back(std::move(event));
            }
        }
    }
    ~ShellSourceWatch() override
    {
        for (HANDLE change : folders_)
            FindCloseChangeNotification(change);
    }
    ShellSourceWatch(const ShellSourceWatch&) = delete;
    ShellSourceWatch& operator=(const ShellSourceWatch&) = delete;

    std::vector<HANDLE> Events() const override
    {
        std::vector<HANDLE> events = folders_;
        for (const KernelHandle& event : keyEvents_)
            events.push_back(event.Get());
        return events;
    }

private:
    std::vector<HANDLE> folders_;
    std::vector<RegKey> keys_;
    std::vector<KernelHandle> keyEvents_;
};

}  // namespace

IndexSources ShellSuggestSystem::ReadIndexSources()
{
    IndexSources sources;
    std::vector<std::string> shortcuts;
    for (int which : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS}) {
        const std::string folder = ProgramsFolder(which);
        if (!folder.empty())
            FindShortcuts(folder, 0, shortcuts);
    }
    sources.shortcuts.resize(shortcuts.size());
    for (std::size_t i = 0; i < shortcuts.size(); ++i) {
        sources.shortcuts[i].path = shortcuts[i];
        ReadTarget(sources.shortcuts[i]);
    }
    for (const ListedAppPath& listed : ListAppPaths()) {
        const AppPathEntry entry = ReadAppPathEntry(listed.name);
        sources.appPaths.emplace_back(listed.name, entry.programExpands ? ExpandReferences(entry.programPath)
                                                                        : entry.programPath);
    }
    for (const std::string& folder : PathFolders()) {
        ForEachEntry(folder, [&](const WIN32_FIND_DATAW& found) {
            if (!IsFolder(found))
                sources.pathFiles.push_back(folder + Utf8(found.cFileName));
            return sources.pathFiles.size() < kMostEntries;
        });
    }
    sources.pathExt = Variable("PATHEXT");
    if (sources.pathExt.empty())
        sources.pathExt = ".COM;.EXE;.BAT;.CMD";
    sources.environment = VariableNames();
    sources.apps = ListAppsFolder();
    return sources;
}

FolderListing ShellSuggestSystem::ListFolder(const std::string& folder)
{
    FolderListing listing{folder, {}};
    ForEachEntry(folder, [&](const WIN32_FIND_DATAW& found) {
        listing.entries.push_back({Utf8(found.cFileName), std::string(), IsFolder(found)});
        return listing.entries.size() < kMostEntries;
    });
    return listing;
}

std::unique_ptr<SourceWatch> ShellSuggestSystem::WatchSources()
{
    return std::make_unique<ShellSourceWatch>();
}

UniqueHandle<IconTraits> ShellSuggestSystem::SmallIcon(const std::string& path, IconKind kind, int size)
{
    UseComOnThisThread();  // the shell expects it of every caller
    if (kind == IconKind::App)
        return UniqueHandle<IconTraits>(AppIcon(path, size));
    const std::string file = ExpandReferences(path);
    const WideString wide = Wide(file);
    const bool onNetwork = kind == IconKind::File && OnNetwork(file);
    bool isFolder = false;
    if (kind == IconKind::File && !onNetwork) {
        const DWORD attributes = GetFileAttributesW(wide.c_str());
        isFolder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    const UINT flags = SHGFI_ICON | (size > 16 ? 0 : SHGFI_SMALLICON);
    SHFILEINFOW info = {};
    switch (IconLookupFor(file, kind, isFolder, onNetwork)) {
    case IconLookup::Own:
        if (kind == IconKind::Shortcut) {
            SHGetFileInfoW(wide.c_str(), 0, &info, sizeof(info), flags);
        } else {
            // The first icon of the file's own resources, at the size asked for; no handler runs.
            HICON icon = nullptr;
            if (SHDefExtractIconW(wide.c_str(), 0, 0, &icon, nullptr, static_cast<UINT>(size)) == S_OK && icon)
                return UniqueHandle<IconTraits>(icon);
        }
        break;
    case IconLookup::Folder:
        // By attributes alone the shell gives the icon of a folder or of the name's type, and opens nothing.
        SHGetFileInfoW(wide.c_str(), FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info), flags | SHGFI_USEFILEATTRIBUTES);
        break;
    case IconLookup::Type: break;
    }
    if (!info.hIcon)  // a program that is gone shows its type's icon
        SHGetFileInfoW(wide.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), flags | SHGFI_USEFILEATTRIBUTES);
    return UniqueHandle<IconTraits>(info.hIcon);
}

namespace {

BOOL CALLBACK NoteWindow(HWND window, LPARAM list)
{
    auto& windows = *reinterpret_cast<std::vector<WindowFacts>*>(list);
    if (!IsWindowVisible(window))
        return TRUE;
    WindowFacts facts;
    facts.handle = reinterpret_cast<std::uintptr_t>(window);
    facts.visible = true;
    facts.owned = GetWindow(window, GW_OWNER) != nullptr;
    const auto extended = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
    facts.toolWindow = (extended & WS_EX_TOOLWINDOW) != 0;
    facts.appWindow = (extended & WS_EX_APPWINDOW) != 0;
    facts.noActivate = (extended & WS_EX_NOACTIVATE) != 0;
    // The title as the system keeps it: a window that hangs is never asked.
    if (auto* title = User32().Procedure<int WINAPI(HWND, LPWSTR, int)>("InternalGetWindowText")) {
        wchar_t text[512] = {};
        title(window, text, 512);
        facts.title = Utf8(text);
    }
    static SystemLibrary dwmapi("dwmapi.dll");
    if (auto* attribute = dwmapi.Procedure<HRESULT WINAPI(HWND, DWORD, PVOID, DWORD)>("DwmGetWindowAttribute")) {
        DWORD cloaked = 0;
        constexpr DWORD kCloaked = 14;  // DWMWA_CLOAKED
        facts.cloaked = SUCCEEDED(attribute(window, kCloaked, &cloaked, sizeof(cloaked))) && cloaked != 0;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    facts.ours = process == GetCurrentProcessId();
    wchar_t type[64] = {};
    GetClassNameW(window, type, 64);
    facts.shell = window == GetShellWindow() || window == GetDesktopWindow() || std::wstring_view(type) == L"Shell_TrayWnd";
    if (IsSwitchable(facts)) {
        // A process that refuses is matched by its title alone.
        const KernelHandle opened(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
        wchar_t path[MAX_PATH] = {};
        DWORD length = MAX_PATH;
        if (opened && QueryFullProcessImageNameW(opened.Get(), 0, path, &length))
            facts.program = Utf8(path);
        windows.push_back(std::move(facts));
    }
    return TRUE;
}

}  // namespace

std::vector<WindowFacts> ShellSuggestSystem::ListWindows()
{
    std::vector<WindowFacts> windows;
    EnumWindows(NoteWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}
