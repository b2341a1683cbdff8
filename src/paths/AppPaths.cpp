#include "paths/AppPaths.h"

#include "framework/Registry.h"
#include "framework/Text.h"
#include "framework/Trace.h"
#include "framework/Unicode.h"
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
        entry.programPath = key.ReadShortString(std::string(), &entry.programExpands).value_or(std::string());
        entry.workingDirectory = key.ReadShortString("Path", &entry.directoryExpands).value_or(std::string());
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
    const std::string directory = key.ReadShortString("Path", &expands).value_or(std::string());
    // A launch uses the references of a REG_EXPAND_SZ value filled in, as the shell does.
    return expands ? ExpandReferences(directory) : directory;
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
    if (entry.name.empty() || Utf16Length(entry.programPath) > kMaxProfileText ||
        Utf16Length(entry.workingDirectory) > kMaxProfileText)
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
    RegDeleteKeyW(RootOf(table), Wide(EntryKeyPath(name)).c_str());
    return !AppPathEntryExists(name, table);  // also when it was gone already
}

void RegisterSelfInAppPaths()
{
    const std::string path = ModulePath();
    WriteAppPathEntry({"Velquin.exe", path, FolderOf(path)});
}
