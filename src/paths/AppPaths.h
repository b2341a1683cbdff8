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
// it was created with. An entry the user has of their own is written there; any other goes to the
// machine's table, or to the user's when the machine's is refused. The table written, or nothing (and
// nothing written) for an empty name, a text over 259 characters, or both tables refused.
std::optional<AppPathTable> WriteAppPathEntry(const AppPathEntry& entry);
// Removes the entry from this table: true when it is not there afterwards. Never with an empty name, which
// would reach the table itself.
bool DeleteAppPathEntry(const std::string& name, AppPathTable table);
// "Velquin.exe" names the running program and its folder.
void RegisterSelfInAppPaths();

// For tests: makes the writes to a table fail, as Windows does for a standard user and the machine's.
void RefuseAppPathWrites(bool machine, bool user = false);
