#include "framework/Unicode.h"

#include <windows.h>

WideString Wide(const std::string& utf8)
{
    if (utf8.empty())
        return WideString();
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    WideString wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, &wide[0], length);
    return wide;
}

std::string Utf8(const wchar_t* utf16, int length)
{
    if (length < 0)
        length = static_cast<int>(wcslen(utf16));
    if (length == 0)
        return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, utf16, length, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16, length, &narrow[0], size, nullptr, nullptr);
    return narrow;
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b)
{
    const WideString first = Wide(a), second = Wide(b);
    return CompareStringOrdinal(first.data(), static_cast<int>(first.size()), second.data(),
                                static_cast<int>(second.size()), TRUE) == CSTR_EQUAL;
}

std::string FoldCase(const std::string& text)
{
    WideString wide = Wide(text);
    // Upper case is what the ordinal rule compares; the invariant locale keeps it the same on every machine.
    // Each unit maps to one, in place.
    if (!wide.empty())
        LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.data(), static_cast<int>(wide.size()),
                      wide.data(), static_cast<int>(wide.size()), nullptr, nullptr, 0);
    return Utf8(wide);
}

std::string ModulePath()
{
    wchar_t path[MAX_PATH] = {};
    return Utf8(path, static_cast<int>(GetModuleFileNameW(nullptr, path, MAX_PATH)));
}

std::string ExpandReferences(const std::string& text)
{
    if (text.find('%') == std::string::npos)
        return text;
    const WideString wide = Wide(text);
    const DWORD size = ExpandEnvironmentStringsW(wide.c_str(), nullptr, 0);
    WideString expanded(size, L'\0');
    if (size == 0 || ExpandEnvironmentStringsW(wide.c_str(), &expanded[0], size) > size)
        return text;
    return Utf8(expanded.c_str());
}
