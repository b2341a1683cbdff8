// Small text helpers over std::string: the single-byte texts of the whole program.
#pragma once

#include <optional>
#include <string>

// White space at either end removed (blank, tab, line feed, carriage return, vertical tab, form feed).
std::string Trim(const std::string& text);
std::string TrimRight(const std::string& text);

// Letter case ignored for A-Z only; other bytes compare as they are.
bool EqualsNoCase(const std::string& a, const std::string& b);
bool StartsWithNoCase(const std::string& text, const std::string& prefix);
// Ordering with letter case ignored, for sets and maps of names.
bool LessNoCase(const std::string& a, const std::string& b);

// A whole decimal integer, optionally signed and surrounded by blanks; nothing for anything else
// (empty text, trailing letters, a value outside 32 bits).
std::optional<int> ParseInt(const std::string& text);
