#include "paths/AppPaths.h"

#include "framework/Registry.h"
#include "launcher/CommandText.h"
#include "settings/ProfileStore.h"

#include <windows.h>

#include <algorithm>

namespace {

std::string EntryKeyPath(const std::string& name)
{
    return std::string(kAppPathsKey) + "\\" + name;
}

// A value read into a 260-byte buffer: 259 characters at most, or nothing.
std::optional<std::string> ReadShortValue(HKEY key, const char* name)
{
    char buffer[260] = {};
    DWORD size = sizeof(buffer);
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return std::nullopt;
    buffer[sizeof(buffer) - 1] = '\0';
    return std::string(buffer, strnlen(buffer, std::min<DWORD>(size, sizeof(buffer) - 1)));
}

}  // namespace

std::vector<std::string> ListAppPathNames()
{
    return RegKey::Open(HKEY_LOCAL_MACHINE, kAppPathsKey).SubkeyNames();
}

AppPathEntry ReadAppPathEntry(const std::string& name)
{
    AppPathEntry entry{name, std::string(), std::string()};
    const RegKey key = RegKey::Open(HKEY_LOCAL_MACHINE, EntryKeyPath(name));
    if (key) {
        entry.programPath = ReadShortValue(key.Get(), nullptr).value_or(std::string());
        entry.workingDirectory = ReadShortValue(key.Get(), "Path").value_or(std::string());
    }
    return entry;
}

std::optional<std::string> ReadAppPathWorkingDirectory(const std::string& name)
{
    const RegKey key = RegKey::Open(HKEY_LOCAL_MACHINE, EntryKeyPath(name));
    if (!key)
        return std::nullopt;
    return ReadShortValue(key.Get(), "Path").value_or(std::string());
}

bool AppPathEntryExists(const std::string& name)
{
    return static_cast<bool>(RegKey::Open(HKEY_LOCAL_MACHINE, EntryKeyPath(name)));
}

bool WriteAppPathEntry(const AppPathEntry& entry)
{
    if (entry.name.empty() || entry.programPath.size() > kMaxProfileText ||
        entry.workingDirectory.size() > kMaxProfileText)
        return false;
    RegKey key = RegKey::Create(HKEY_LOCAL_MACHINE, EntryKeyPath(entry.name));
    const bool path = key.WriteString("Path", entry.workingDirectory);
    const bool program = key.WriteString(std::string(), entry.programPath);
    return path && program;
}

bool DeleteAppPathEntry(const std::string& name)
{
    if (name.empty())
        return false;
    return RegDeleteKeyA(HKEY_LOCAL_MACHINE, EntryKeyPath(name).c_str()) == ERROR_SUCCESS;
}

void RegisterSelfInAppPaths()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    WriteAppPathEntry({"Velquin.exe", path, FolderOf(path)});
}
