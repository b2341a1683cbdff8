// The system's App Paths table under HKEY_LOCAL_MACHINE: every operation Velquin makes on it.
#pragma once

#include "paths/AppPathEntry.h"

#include <optional>
#include <string>
#include <vector>

inline constexpr const char* kAppPathsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";

// Entry names in the registry's order; empty when the table cannot be opened.
std::vector<std::string> ListAppPathNames();
// Program path and working directory; a value that cannot be read (missing, over 259 characters) is empty.
AppPathEntry ReadAppPathEntry(const std::string& name);
// Nothing when the entry does not exist; empty when it has no "Path"; references expanded when the value
// is REG_EXPAND_SZ.
std::optional<std::string> ReadAppPathWorkingDirectory(const std::string& name);
bool AppPathEntryExists(const std::string& name);
// Creates the entry or replaces both values, each of the type the entry names; the key keeps the spelling
// it was created with. False, and
// nothing written, for an empty name or a text over 259 characters.
bool WriteAppPathEntry(const AppPathEntry& entry);
// Never with an empty name: that would reach the table itself.
bool DeleteAppPathEntry(const std::string& name);
// "Velquin.exe" names the running program and its folder.
void RegisterSelfInAppPaths();
