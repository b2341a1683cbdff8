// "Start when Windows Starts": the user's Run value "Velquin", which Windows reads as a command line.
#pragma once

#include <functional>
#include <optional>
#include <string>

// The program's path in double quotes: unquoted, "C:\Program Files\Velquin\Velquin.exe" is tried piece by
// piece, C:\Program.exe first.
std::string RunCommandOf(const std::string& programPath);
// The program a Run value names: its quoted part, or the whole value as written before the quotes.
std::string ProgramOfRunCommand(const std::string& value);
// At start, with the box ticked: the value is written when it is missing or names a file that is gone. A
// working value, perhaps another copy's, stays.
bool RunValueNeedsWriting(const std::optional<std::string>& value,
                          const std::function<bool(const std::string& path)>& exists);
