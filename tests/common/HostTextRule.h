// The system's rule for texts the user sees as one, in memory.
#pragma once

#include "framework/Text.h"

#include <string>

// The system's rule as far as the tests need it: A-Z, ä as Ä (UTF-8 \xC3\xA4, \xC3\x84), and the dotless ı as I
// (\xC4\xB1, two bytes for one: a letter whose UTF-8 length differs between its cases).
inline bool HostSameText(const std::string& a, const std::string& b)
{
    const auto fold = [](std::string text) {
        for (size_t at; (at = text.find("\xC3\xA4")) != std::string::npos;)
            text[at + 1] = '\x84';
        for (size_t at; (at = text.find("\xC4\xB1")) != std::string::npos;)
            text.replace(at, 2, "I");
        return text;
    };
    return EqualsAsciiNoCase(fold(a), fold(b));
}
