// The portable profile's file: UTF-8 text of "[section]" lines, each followed by its "name=value" lines;
// ";" begins a comment line. A value is its text as it is, backslashes and braces included. Only a value
// that begins or ends with a blank, holds a line break, or is itself in double quotes is written in double
// quotes, where "\n" and "\r" stand for the line breaks and "\\" for a backslash before n, r or a backslash.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct IniValue {
    std::string name;
    std::string text;
    int line = 0;  // where it was read, from 1
};

struct IniSection {
    std::string name;
    std::vector<IniValue> values;
};

// Sections in the file's order; a name of a section that came twice holds both parts.
using IniDocument = std::vector<IniSection>;

// Why a file was refused: the line (from 1) and what is wrong with it.
struct IniProblem {
    int line = 0;
    std::string what;
};

// At start: a damaged line (not UTF-8, no section before it, or no "name=value") is skipped, the rest kept;
// *skipped counts them. A byte-order mark is read or not.
IniDocument ReadIniLeniently(std::string_view bytes, int* skipped = nullptr);
// Before an import: the first damaged line refuses the whole file.
std::optional<IniDocument> ReadIniStrictly(std::string_view bytes, IniProblem& problem);

// With a byte-order mark and Windows line ends. A name or section that would not read back as itself
// (empty, with "=", "]", a line break, an outer blank, or a leading "[" or ";") is left out.
std::string WriteIni(const IniDocument& document);
bool IsIniName(std::string_view name);

bool IsUtf8(std::string_view bytes);
