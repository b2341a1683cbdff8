#include "paths/AppPaths.h"

#include "framework/ProfileStore.h"
#include "framework/Registry.h"
#include "framework/Text.h"
#include "framework/Trace.h"
#include "framework/Unicode.h"
#include "text/CommandText.h"

#include <windows.h>

#include <algorithm>

namespace {

bool machineWritesRefused = false;
bool userWritesRefused = false;
bool respellByCopyOnly = false;

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

// A tree of keys from `from` to `to`, created for it; the half-made copy goes when it fails.
bool CopyKey(const RegKey& entries, const std::string& from, const std::string& to)
{
    const RegKey source = RegKey::Open(entries.Get(), from);
    RegKey target = RegKey::Create(entries.Get(), to);
    if (source && target && RegCopyTreeW(source.Get(), nullptr, target.Get()) == ERROR_SUCCESS)
        return true;
    RegDeleteTreeW(entries.Get(), Wide(to).c_str());
    return false;
}

// The entry goes to a key of a temporary name, then comes back under its new spelling. A failed step
// puts the entry back under its old one.
bool RespellThroughCopy(const RegKey& entries, const std::string& from, const std::string& to)
{
    const std::string parked = "Velquin respelling";
    const auto remove = [&](const std::string& name) {
        return RegDeleteTreeW(entries.Get(), Wide(name).c_str()) == ERROR_SUCCESS;
    };
    remove(parked);
    if (!CopyKey(entries, from, parked))
        return false;
    bool moved = remove(from) && CopyKey(entries, parked, to);
    if (!moved) {
        remove(to);
        CopyKey(entries, parked, from);
    }
    remove(parked);
    return moved;
}

// The entry's key made first as a copy of the whole key it comes from, every value with its type and every
// subkey, so that the values Velquin does not edit go with it. A renamed entry replaces the entry of its new
// name, as the user agreed; the user's own entry of the same name stays theirs.
bool CopyOf(const ListedAppPath& source, AppPathTable table, const std::string& name)
{
    const bool renamed = !SameTextIgnoringCase(source.name, name);
    if (!renamed && (source.table == table || AppPathEntryExists(name, table)))
        return true;
    const RegKey from = RegKey::Open(RootOf(source.table), EntryKeyPath(source.name));
    if (!from)
        return true;  // a new entry
    const std::wstring target = Wide(EntryKeyPath(name));
    RegDeleteTreeW(RootOf(table), target.c_str());
    const RegKey to = RegKey::Create(RootOf(table), EntryKeyPath(name));
    if (to && RegCopyTreeW(from.Get(), nullptr, to.Get()) == ERROR_SUCCESS)
        return true;
    RegDeleteTreeW(RootOf(table), target.c_str());  // no entry rather than one missing some of its values
    return false;
}

bool WriteTo(AppPathTable table, const AppPathEntry& entry, const ListedAppPath& source)
{
    if (Refused(table) || !CopyOf(source, table, entry.name))
        return false;
    RegKey key = RegKey::Create(RootOf(table), EntryKeyPath(entry.name));
    const bool path = key.WriteString("Path", entry.workingDirectory, entry.directoryExpands);
    const bool program = key.WriteString(std::string(), entry.programPath, entry.programExpands);
    return path && program;
}

}  // namespace

void RespellAppPathsByCopyOnly(bool copyOnly)
{
    respellByCopyOnly = copyOnly;
}

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
    return MergeAppPathNames(ListAppPathNames(AppPathTable::Machine), ListAppPathNames(AppPathTable::User),
                             SameTextIgnoringCase);
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

std::optional<AppPathTable> WriteAppPathEntry(const AppPathEntry& entry, std::optional<AppPathTable> table,
                                              std::optional<ListedAppPath> from)
{
    if (entry.name.empty() || Utf16Length(entry.programPath) > kMaxProfileText ||
        Utf16Length(entry.workingDirectory) > kMaxProfileText)
        return std::nullopt;
    if (!table)
        table = AppPathEntryExists(entry.name, AppPathTable::User) ? AppPathTable::User : AppPathTable::Machine;
    const ListedAppPath source = from.value_or(ListedAppPath{entry.name, *table});
    if (WriteTo(*table, entry, source))
        return table;
    if (*table == AppPathTable::User)
        return std::nullopt;
    Trace("WriteAppPathEntry() - the machine's table refused '" + entry.name + "': written to the user's own.\n");
    return WriteTo(AppPathTable::User, entry, source) ? std::optional(AppPathTable::User) : std::nullopt;
}

bool RespellAppPathEntry(const std::string& from, const std::string& to, AppPathTable table)
{
    if (from == to || !SameTextIgnoringCase(from, to) || Refused(table))
        return false;
    const RegKey entries = RegKey::Open(RootOf(table), kAppPathsKey, KEY_READ | KEY_WRITE);
    if (!entries)
        return false;
    const auto spelt = [&] {
        const std::vector<std::string> names = RegKey::Open(RootOf(table), kAppPathsKey).SubkeyNames();
        return std::find(names.begin(), names.end(), to) != names.end();
    };
    // Where the system renames keys, one call. Elsewhere, or if it keeps the spelling, through a copy.
    using Rename = LSTATUS WINAPI(HKEY, LPCWSTR, LPCWSTR);
    const auto rename = reinterpret_cast<Rename*>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"advapi32.dll"), "RegRenameKey")));
    if (!respellByCopyOnly && rename && rename(entries.Get(), Wide(from).c_str(), Wide(to).c_str()) == ERROR_SUCCESS &&
        spelt())
        return true;
    return RespellThroughCopy(entries, from, to) && spelt();
}

bool DeleteAppPathEntry(const std::string& name, AppPathTable table)
{
    if (name.empty() || Refused(table))
        return false;
    RegDeleteTreeW(RootOf(table), Wide(EntryKeyPath(name)).c_str());  // subkeys and all: RegDeleteKey refuses those
    return !AppPathEntryExists(name, table);  // also when it was gone already
}

void RegisterSelfInAppPaths()
{
    const std::string path = ModulePath();
    WriteAppPathEntry({"Velquin.exe", path, FolderOf(path)});
}
