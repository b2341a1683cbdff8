#include "paths/AppPaths.h"

#include "framework/Registry.h"
#include "framework/Trace.h"
#include "launcher/CommandText.h"
#include "settings/ProfileStore.h"

#include <windows.h>

#include <algorithm>

namespace {

bool machineWritesRefused = false;
bool userWritesRefused = false;

HKEY RootOf(AppPathTable table)
{
    return table == AppPathTable::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

bool Refused(AppPathTable table)
{
    return table == AppPathTable::Machine ? machineWritesRefused : userWritesRefused;
}

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

bool WriteTo(AppPathTable table, const AppPathEntry& entry)
{
    if (Refused(table))
        return false;
    RegKey key = RegKey::Create(RootOf(table), EntryKeyPath(entry.name));
    const bool path = key.WriteString("Path", entry.workingDirectory, entry.directoryExpands);
    const bool program = key.WriteString(std::string(), entry.programPath, entry.programExpands);
    return path && program;
}

}  // namespace

void RefuseAppPathWrites(bool machine, bool user)
{
    machineWritesRefused = machine;
    userWritesRefused = user;
}

std::vector<std::string> ListAppPathNames(AppPathTable table)
{
    return RegKey::Open(RootOf(table), kAppPathsKey).SubkeyNames();
}

std::vector<ListedAppPath> ListAppPaths()
{
    return MergeAppPathNames(ListAppPathNames(AppPathTable::Machine), ListAppPathNames(AppPathTable::User));
}

AppPathEntry ReadAppPathEntry(const std::string& name)
{
    AppPathEntry entry{name, std::string(), std::string()};
    const RegKey key = RegKey::Open(RootOf(FindAppPathTable(name).value_or(AppPathTable::Machine)), EntryKeyPath(name));
    if (key) {
        entry.programPath = ReadShortValue(key.Get(), nullptr, &entry.programExpands).value_or(std::string());
        entry.workingDirectory = ReadShortValue(key.Get(), "Path", &entry.directoryExpands).value_or(std::string());
    }
    return entry;
}

std::optional<std::string> ReadAppPathWorkingDirectory(const std::string& name)
{
    const std::optional<AppPathTable> table = FindAppPathTable(name);
    if (!table)
        return std::nullopt;
    const RegKey key = RegKey::Open(RootOf(*table), EntryKeyPath(name));
    bool expands = false;
    const std::string directory = ReadShortValue(key.Get(), "Path", &expands).value_or(std::string());
    return expands ? Expanded(directory) : directory;
}

bool AppPathEntryExists(const std::string& name, AppPathTable table)
{
    return !name.empty() && static_cast<bool>(RegKey::Open(RootOf(table), EntryKeyPath(name)));
}

std::optional<AppPathTable> FindAppPathTable(const std::string& name)
{
    for (AppPathTable table : {AppPathTable::User, AppPathTable::Machine}) {
        if (AppPathEntryExists(name, table))
            return table;
    }
    return std::nullopt;
}

bool AppPathEntryExists(const std::string& name)
{
    return FindAppPathTable(name).has_value();
}

std::optional<AppPathTable> WriteAppPathEntry(const AppPathEntry& entry)
{
    if (entry.name.empty() || entry.programPath.size() > kMaxProfileText ||
        entry.workingDirectory.size() > kMaxProfileText)
        return std::nullopt;
    if (AppPathEntryExists(entry.name, AppPathTable::User))
        return WriteTo(AppPathTable::User, entry) ? std::optional(AppPathTable::User) : std::nullopt;
    if (WriteTo(AppPathTable::Machine, entry))
        return AppPathTable::Machine;
    Trace("WriteAppPathEntry() - the machine's table refused '" + entry.name + "': written to the user's own.\n");
    return WriteTo(AppPathTable::User, entry) ? std::optional(AppPathTable::User) : std::nullopt;
}

bool DeleteAppPathEntry(const std::string& name, AppPathTable table)
{
    if (name.empty() || Refused(table))
        return false;
    RegDeleteKeyA(RootOf(table), EntryKeyPath(name).c_str());
    return !AppPathEntryExists(name, table);  // also when it was gone already
}

void RegisterSelfInAppPaths()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    WriteAppPathEntry({"Velquin.exe", path, FolderOf(path)});
}
