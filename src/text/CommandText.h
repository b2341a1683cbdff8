// The text room: shared Windows-free text rules: the command line's split, whether a path leads to the network.
//
// How a typed text becomes a program and its parameters, and which text the control rules examine.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

// Whether a path or pattern matches a file or folder; fullPath (when given) gets the first match.
using FileSearch = std::function<bool(const std::string& pattern, std::string* fullPath)>;

struct CommandSplit {
    std::string program;
    std::string parameters;  // keeps the blank it was split at as its first character
    std::size_t typedLength = 0;  // the bytes of the text that name the program, its quotes included
};

// Splits T (already trimmed). The fallback program replaces a bare ".exe" name. A shortcut written without
// quotes is the program when the path up to its ".lnk" names an existing file; the rest of the text are its
// parameters.
CommandSplit SplitCommandText(const std::string& t, const std::string& fallbackProgram, const FileSearch& find);
// A path that ends in ".lnk", in any letter case: the shell opens it as the shortcut it is.
bool IsShortcutPath(const std::string& path);
// The text up to its first ".lnk" when that ends the text or a blank follows it, and the text holds no quote:
// what the split takes for a shortcut typed with its arguments, when the file is there.
std::optional<std::string> TypedShortcut(const std::string& t);

// The text inside the first and last double quote when the text begins with one and holds a later one;
// otherwise nothing.
std::optional<std::string> LeadingQuotedPart(const std::string& text);
// The leading quoted part when there is one; otherwise the text without a final backslash. Trimmed first
// when asked.
std::string ExaminedText(const std::string& source, bool trim);
// "\\server\share\..." (or with forward slashes): a path that is found over the network.
bool IsUncPath(const std::string& path);
// "C:\" for a path that starts with a drive letter and colon; empty otherwise.
std::string DriveRootOf(const std::string& path);

// The folder of a path: the text before the last backslash, "C:\" for "C:\x.exe"; and the text after it.
std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);
