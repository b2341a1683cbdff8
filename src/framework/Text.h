// Small text helpers over std::string: the single-byte texts of the whole program.
#pragma once

#include <cstddef>
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

// Texts are UTF-8 inside Velquin; the system counts in UTF-16 units. A byte that starts no valid sequence
// counts as one unit.
std::size_t Utf16Length(const std::string& utf8);
// The UTF-16 position of a byte position of the text, and back (rounded down to a whole character).
std::size_t Utf16Offset(const std::string& utf8, std::size_t byteOffset);
std::size_t Utf8Offset(const std::string& utf8, std::size_t utf16Offset);
// The text in UTF-16, as the system's wide functions take it; a byte that starts no valid sequence becomes
// U+FFFD.
std::u16string Utf16(const std::string& utf8);

// A whole decimal integer, optionally signed and surrounded by blanks; nothing for anything else
// (empty text, trailing letters, a value outside 32 bits).
std::optional<int> ParseInt(const std::string& text);
