#include "framework/Text.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <utility>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

char FoldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// How many bytes the UTF-8 sequence starting at `at` takes, and how many UTF-16 units its character needs;
// a byte that starts no valid sequence is one byte and one unit.
std::pair<std::size_t, std::size_t> Utf8Step(const std::string& text, std::size_t at)
{
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    const std::size_t length =
        lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 && lead < 0xF0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 1;
    if (length == 1 || at + length > text.size())
        return {1, 1};
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
            return {1, 1};
    }
    return {length, length == 4 ? 2 : 1};
}

}  // namespace

std::string QuoteIfBlank(const std::string& path)
{
    return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

std::size_t Utf16Length(const std::string& utf8)
{
    return Utf16Offset(utf8, utf8.size());
}

std::size_t Utf16Offset(const std::string& utf8, std::size_t byteOffset)
{
    std::size_t units = 0;
    for (std::size_t at = 0; at < byteOffset && at < utf8.size();) {
        const auto [bytes, unitsOfIt] = Utf8Step(utf8, at);
        at += bytes;
        units += unitsOfIt;
    }
    return units;
}

std::size_t Utf8Offset(const std::string& utf8, std::size_t utf16Offset)
{
    std::size_t at = 0;
    for (std::size_t units = 0; at < utf8.size();) {
        const auto [bytes, unitsOfIt] = Utf8Step(utf8, at);
        if (units + unitsOfIt > utf16Offset)
            break;
        at += bytes;
        units += unitsOfIt;
    }
    return at;
}

std::u16string Utf16(const std::string& utf8)
{
    std::u16string text;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto [bytes, units] = Utf8Step(utf8, at);
        const unsigned char lead = static_cast<unsigned char>(utf8[at]);
        char32_t code = bytes == 1 ? (lead < 0x80 ? lead : 0xFFFD) : lead & (0xFF >> (bytes + 1));
        for (std::size_t i = 1; i < bytes; ++i)
            code = (code << 6) | (static_cast<unsigned char>(utf8[at + i]) & 0x3F);
        if (units == 2) {
            text += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            text += static_cast<char16_t>(code);
        }
        at += bytes;
    }
    return text;
}

std::string Trim(const std::string& text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

std::string TrimRight(const std::string& text)
{
    size_t last = text.size();
    while (last > 0 && IsBlank(text[last - 1]))
        --last;
    return text.substr(0, last);
}

bool EqualsAsciiNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && StartsWithAsciiNoCase(a, b);
}

bool StartsWithAsciiNoCase(const std::string& text, const std::string& prefix)
{
    if (prefix.size() > text.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (FoldCase(text[i]) != FoldCase(prefix[i]))
            return false;
    }
    return true;
}

bool LessAsciiNoCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return FoldCase(x) < FoldCase(y); });
}

bool StartsWithText(const std::string& text, const std::string& prefix, SameTextRule same)
{
    const std::size_t end = Utf8Offset(text, Utf16Length(prefix));
    return Utf16Offset(text, end) == Utf16Length(prefix) && same(text.substr(0, end), prefix);
}

std::size_t WordStartBefore(const std::string& text, std::size_t caret)
{
    const auto letter = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x80 || c == '_' || std::isalnum(byte);
    };
    std::size_t at = std::min(caret, text.size());
    const auto skip = [&](auto kind) {
        while (at > 0 && kind(text[at - 1]))
            --at;
    };
    skip(IsBlank);
    skip([&](char c) { return !IsBlank(c) && !letter(c); });
    skip(letter);
    return at;
}

std::optional<int> ParseInt(const std::string& text)
{
    const std::string digits = Trim(text);
    size_t pos = 0;
    bool negative = false;
    if (pos < digits.size() && (digits[pos] == '+' || digits[pos] == '-')) {
        negative = digits[pos] == '-';
        ++pos;
    }
    if (pos == digits.size())
        return std::nullopt;

    long long value = 0;
    for (; pos < digits.size(); ++pos) {
        if (!std::isdigit(static_cast<unsigned char>(digits[pos])))
            return std::nullopt;
        value = value * 10 + (digits[pos] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < INT_MIN || value > INT_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}
