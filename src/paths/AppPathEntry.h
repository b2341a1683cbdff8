// One entry of the system's App Paths table: a program name, where the program is, where it starts.
#pragma once

#include "framework/Text.h"

#include <string>
#include <vector>

struct AppPathEntry {
    std::string name;              // the entry's key name, such as "notepad.exe"
    std::string programPath;       // the key's default value
    std::string workingDirectory;  // its "Path" value; empty when it has none
    // Values stored as REG_EXPAND_SZ (such as "%ProgramFiles%\App\app.exe") are written back as such.
    bool programExpands = false;
    bool directoryExpands = false;
};

// The table exists twice: the machine's, for every user, and each user's own, which the shell reads first.
enum class AppPathTable { Machine, User };

struct ListedAppPath {
    std::string name;
    AppPathTable table;
};

// The names of both tables, each once and in the tables' order: a name in both (the same under the rule) is
// the user's, as that is the entry the shell uses.
std::vector<ListedAppPath> MergeAppPathNames(const std::vector<std::string>& machine,
                                             const std::vector<std::string>& user, SameTextRule same);

// What the user is told when neither table takes an entry.
std::string AppPathRefusedText(const std::string& name);
