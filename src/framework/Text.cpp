#include "framework/Text.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

char FoldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

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

bool EqualsNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && StartsWithNoCase(a, b);
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    if (prefix.size() > text.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (FoldCase(text[i]) != FoldCase(prefix[i]))
            return false;
    }
    return true;
}

bool LessNoCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return FoldCase(x) < FoldCase(y); });
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
