// "Start when Windows Starts": the user's Run value "Velquin", which Windows reads as a command line.
#pragma once

#include "framework/Text.h"

#include <functional>
#include <optional>
#include <string>

// The program's path in double quotes: unquoted, "C:\Program Files\Velquin\Velquin.exe" is tried piece by
// piece, C:\Program.exe first.
std::string RunCommandOf(const std::string& programPath);
// The program a Run value names: its quoted part, or the whole value as written before the quotes.
std::string ProgramOfRunCommand(const std::string& value);

// The Run value as read: its text, and whether it is REG_EXPAND_SZ, whose %NAME% references Windows fills in.
struct StoredRunValue {
    std::string text;
    bool expandable = false;
};

// What the check of the Run value asks the system.
struct RunValueSystem {
    std::function<bool(const std::string& path)> exists;
    std::function<std::string(const std::string& text)> expandReferences;
    SameTextRule same;  // the file system's rule for one path
};

// At start, with the box ticked, for this copy at `self`: the value is written when it is missing, names a file
// that is gone, or names this copy without the quotes RunCommandOf gives it. Another copy's working value stays.
bool RunValueNeedsWriting(const std::optional<StoredRunValue>& value, const std::string& self,
                          const RunValueSystem& system);
