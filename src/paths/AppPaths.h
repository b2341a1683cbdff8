// The paths room: the App Paths tables, the Path Editor and its entry dialog.
//
// The system's App Paths tables, the machine's under HKEY_LOCAL_MACHINE and the user's own under
// HKEY_CURRENT_USER: every operation Velquin makes on them. A user without administrator rights cannot
// write the machine's table; such a write goes to the user's own, which the shell reads first.
#pragma once

#include "paths/AppPathEntry.h"

#include <optional>
#include <string>
#include <vector>

inline constexpr const char* kAppPathsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";

// The entries of both tables, a name in both once, as the user's; empty when neither can be opened.
std::vector<ListedAppPath> ListAppPaths();
// Entry names of one table in the registry's order.
std::vector<std::string> ListAppPathNames(AppPathTable table);
// The entry the shell uses: the user's when there is one. A value that cannot be read (missing, over 259
// characters) is empty.
AppPathEntry ReadAppPathEntry(const std::string& name);
// Nothing when neither table has the entry; empty when it has no "Path"; references expanded when the
// value is REG_EXPAND_SZ. The user's table is read first, as the shell does.
std::optional<std::string> ReadAppPathWorkingDirectory(const std::string& name);
bool AppPathEntryExists(const std::string& name);
// The table the shell takes the entry from: the user's own first.
std::optional<AppPathTable> FindAppPathTable(const std::string& name);
bool AppPathEntryExists(const std::string& name, AppPathTable table);
// Creates the entry or replaces both values, each of the type the entry names; the key keeps the spelling
// it was created with. It goes to the given table, the one an edited entry came from; without one, to the
// user's own when they have an entry of the name, else to the machine's. A refused machine's table passes
// it to the user's own. An entry written under another name or in another table than the one it comes from
// (`from`; without it, the entry of its name in the table chosen) is first a copy of that whole key, every
// value with its type and every subkey, replacing an entry of the new name. The table written, or nothing
// (and nothing written) for an empty name, a text over 259 characters, or the tables refused.
std::optional<AppPathTable> WriteAppPathEntry(const AppPathEntry& entry,
                                              std::optional<AppPathTable> table = std::nullopt,
                                              std::optional<ListedAppPath> from = std::nullopt);
// Gives the entry's key a new spelling of the same name ("\xC3\xA9.exe" as "\xC3\x89.exe") and keeps every value.
// False when the names differ otherwise or a step fails: the entry stays under its old spelling, or parked as
// "Velquin respelling <name>" until the next respelling of the name puts it back.
bool RespellAppPathEntry(const std::string& from, const std::string& to, AppPathTable table);
// Removes the entry from this table: true when it is not there afterwards. Never with an empty name, which
// would reach the table itself.
bool DeleteAppPathEntry(const std::string& name, AppPathTable table);
// "Velquin.exe" names the running program and its folder.
void RegisterSelfInAppPaths();

// For tests: makes the writes to a table fail, as Windows does for a standard user and the machine's.
void RefuseAppPathWrites(bool machine, bool user = false);
// For tests: respells keys the way systems without RegRenameKey must.
void RespellAppPathsByCopyOnly(bool copyOnly);
