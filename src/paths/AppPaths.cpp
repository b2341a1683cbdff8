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

// A value read into a 260-byte buffer: 259 characters at most, or nothing; whether it is REG_EXPAND_SZ.
std::optional<std::string> ReadShortValue(HKEY key, const char* name, bool* expands = nullptr)
{
    char buffer[260] = {};
    DWORD size = sizeof(buffer);
    DWORD type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (expands)
        *expands = type == REG_EXPAND_SZ;
    buffer[sizeof(buffer) - 1] = '\0';
    return std::string(buffer, strnlen(buffer, std::min<DWORD>(size, sizeof(buffer) - 1)));
}

// What a launch uses: the references of a REG_EXPAND_SZ value filled in, as the shell does.
std::string Expanded(const std::string& value)
{
    char expanded[MAX_PATH] = {};
    const DWORD length = ExpandEnvironmentStringsA(value.c_str(), expanded, MAX_PATH);
    return length > 0 && length <= MAX_PATH ? std::string(expanded) : value;
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
        entry.programPath = ReadShortValue(key.Get(), nullptr, &entry.programExpands).value_or(std::string());
        entry.workingDirectory = ReadShortValue(key.Get(), "Path", &entry.directoryExpands).value_or(std::string());
    }
    return entry;
}

std::optional<std::string> ReadAppPathWorkingDirectory(const std::string& name)
{
    const RegKey key = RegKey::Open(HKEY_LOCAL_MACHINE, EntryKeyPath(name));
    if (!key)
        return std::nullopt;
    bool expands = false;
    const std::string directory = ReadShortValue(key.Get(), "Path", &expands).value_or(std::string());
    return expands ? Expanded(directory) : directory;
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
    const bool path = key.WriteString("Path", entry.workingDirectory, entry.directoryExpands);
    const bool program = key.WriteString(std::string(), entry.programPath, entry.programExpands);
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
