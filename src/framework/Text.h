// Small text helpers over std::string: the single-byte texts of the whole program.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

// White space at either end removed (blank, tab, line feed, carriage return, vertical tab, form feed).
std::string Trim(const std::string& text);
std::string TrimRight(const std::string& text);

// A path with a blank goes into the box quoted, so the launch takes it whole.
std::string QuoteIfBlank(const std::string& path);

// Letter case ignored for A-Z only, other bytes compared as they are: for Velquin's own names (value names
// such as "File #1"), never for what the user types or sees.
bool EqualsAsciiNoCase(const std::string& a, const std::string& b);
bool StartsWithAsciiNoCase(const std::string& text, const std::string& prefix);
bool LessAsciiNoCase(const std::string& a, const std::string& b);

// Whether two texts the user sees are the same text. On Windows it is the system's rule, that of the
// registry and the file system: letter case ignored for every script ("\xC3\x84" and "\xC3\xA4", Ä and ä, are
// one name). The logic takes it as a parameter.
using SameTextRule = bool (*)(const std::string& a, const std::string& b);
// The text begins with the prefix under the rule. The rule folds each UTF-16 unit to one unit, so the
// prefix is compared with as many units of the text.
bool StartsWithText(const std::string& text, const std::string& prefix, SameTextRule same);

// Texts are UTF-8 inside Velquin; the system counts in UTF-16 units. A byte that starts no valid sequence
// counts as one unit.
std::size_t Utf16Length(const std::string& utf8);
// The UTF-16 position of a byte position of the text, and back (rounded down to a whole character).
std::size_t Utf16Offset(const std::string& utf8, std::size_t byteOffset);
std::size_t Utf8Offset(const std::string& utf8, std::size_t utf16Offset);
// The text in UTF-16, as the system's wide functions take it; a byte that starts no valid sequence becomes
// U+FFFD.
std::u16string Utf16(const std::string& utf8);

// Where Ctrl+Backspace's word begins, for a caret at byte `caret`: back over blanks, then over a run of
// punctuation (a path's `\`, a `.`), then over the word's letters and digits. Any character outside ASCII
// is a letter: a word in any script goes whole.
std::size_t WordStartBefore(const std::string& text, std::size_t caret);

// A whole decimal integer, optionally signed and surrounded by blanks; nothing for anything else
// (empty text, trailing letters, a value outside 32 bits).
std::optional<int> ParseInt(const std::string& text);
