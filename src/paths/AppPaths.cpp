#include "paths/AppPaths.h"

#include "framework/ProfileStore.h"
#include "framework/Registry.h"
#include "framework/Text.h"
#include "framework/Trace.h"
#include "framework/Unicode.h"
#include "paths/Respelling.h"
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

// On a parked copy while the key of the entry's name may be half-made.
constexpr char kMark[] = "Velquin unfinished";

// The keys of one table's entries, as a respelling steps through them.
class TableKeys : public EntryKeys {
public:
    explicit TableKeys(AppPathTable table)
        : table_(table), entries_(RegKey::Open(RootOf(table), kAppPathsKey, KEY_READ | KEY_WRITE))
    {
    }
    explicit operator bool() const { return static_cast<bool>(entries_); }

    bool Exists(const std::string& name) override { return static_cast<bool>(RegKey::Open(entries_.Get(), name)); }
    bool CopyTree(const std::string& from, const std::string& to) override
    {
        const RegKey source = RegKey::Open(entries_.Get(), from);
        const RegKey target = source ? RegKey::Create(entries_.Get(), to) : RegKey();
        return target && RegCopyTreeW(source.Get(), nullptr, target.Get()) == ERROR_SUCCESS;
    }
    bool DeleteTree(const std::string& name) override
    {
        return RegDeleteTreeW(entries_.Get(), Wide(name).c_str()) == ERROR_SUCCESS || !Exists(name);
    }
    bool Rename(const std::string& from, const std::string& to) override
    {
        using RenameKey = LSTATUS WINAPI(HKEY, LPCWSTR, LPCWSTR);
        const auto rename = reinterpret_cast<RenameKey*>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"advapi32.dll"), "RegRenameKey")));
        return !respellByCopyOnly && rename &&
               rename(entries_.Get(), Wide(from).c_str(), Wide(to).c_str()) == ERROR_SUCCESS && Spelt(to);
    }
    bool Mark(const std::string& name, bool marked) override
    {
        RegKey key = RegKey::Open(entries_.Get(), name, KEY_SET_VALUE);
        return marked ? key.WriteDword(kMark, 1) : key.DeleteValue(kMark);
    }
    bool Marked(const std::string& name) override
    {
        return RegKey::Open(entries_.Get(), name).ReadDword(kMark).has_value();
    }
    // The table holds the name in exactly this spelling.
    bool Spelt(const std::string& name) const
    {
        const std::vector<std::string> names = ListAppPathNames(table_);
        return std::find(names.begin(), names.end(), name) != names.end();
    }

private:
    AppPathTable table_;
    RegKey entries_;
};

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
    const WideString target = Wide(EntryKeyPath(name));
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
    TableKeys keys(table);
    return keys && RespellEntry(keys, from, to) && keys.Spelt(to);
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
