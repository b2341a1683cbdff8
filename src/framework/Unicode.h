// Texts are UTF-8 inside Velquin and UTF-16 at the system's wide ("W") functions: converted here, at the edge.
#pragma once

#include <string>

// UTF-16 text for the system's wide functions. Traits of its own keep the C++ library's ready-made wide string
// out of the program, all of it (25 to 35 KB): only what Velquin uses of it is built.
struct WideTraits : std::char_traits<wchar_t> {};
using WideString = std::basic_string<wchar_t, WideTraits>;

WideString Wide(const std::string& utf8);
std::string Utf8(const wchar_t* utf16, int length = -1);
inline std::string Utf8(const WideString& utf16)
{
    return Utf8(utf16.c_str(), static_cast<int>(utf16.size()));
}

// The system's rule for names the user sees as one: CompareStringOrdinal with letter case ignored, the rule of
// the registry and the file system.
bool SameTextIgnoringCase(const std::string& a, const std::string& b);

// The text with letter case folded away by the same rule, so that folded texts compare byte for byte: each
// name is folded once and then compared many times.
std::string FoldCase(const std::string& text);

// The running program's full path.
std::string ModulePath();
// The text with its %NAME% references to environment variables filled in; a reference to no variable stays
// as it is, and so does the whole text when the system cannot expand it.
std::string ExpandReferences(const std::string& text);
