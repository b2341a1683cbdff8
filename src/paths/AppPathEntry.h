// One entry of the system's App Paths table: a program name, where the program is, where it starts.
#pragma once

#include <string>

struct AppPathEntry {
    std::string name;              // the entry's key name, such as "notepad.exe"
    std::string programPath;       // the key's default value
    std::string workingDirectory;  // its "Path" value; empty when it has none
    // Values stored as REG_EXPAND_SZ (such as "%ProgramFiles%\App\app.exe") are written back as such.
    bool programExpands = false;
    bool directoryExpands = false;
};
