#include "text/AliasText.h"

#include "framework/Text.h"

#include <cctype>

namespace {

bool IsBlankOrTab(char c)
{
    return c == ' ' || c == '\t';
}

// Unreserved characters stay; every other byte of the UTF-8 text is %XX.
std::string PercentEncoded(const std::string& text)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) && byte < 0x80) {
            encoded += c;
        } else if (c == '-' || c == '.' || c == '_' || c == '~') {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        }
    }
    return encoded;
}

// The placeholder at `at` ("{*}" or "{1}"..."{9}"): its argument number, 0 for the whole rest; nothing when
// there is none there.
std::optional<int> PlaceholderAt(const std::string& text, std::size_t at)
{
    if (at + 2 >= text.size() || text[at] != '{' || text[at + 2] != '}')
        return std::nullopt;
    const char inside = text[at + 1];
    if (inside == '*')
        return 0;
    if (inside >= '1' && inside <= '9')
        return inside - '0';
    return std::nullopt;
}

// Letters, at least two, and a colon before the first placeholder: "https:", "mailto:".
bool IsUrlTemplate(const std::string& text)
{
    std::size_t first = 0;
    while (first < text.size() && !PlaceholderAt(text, first))
        ++first;
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon >= first || colon < 2)
        return false;
    for (std::size_t i = 0; i < colon; ++i) {
        if (!std::isalpha(static_cast<unsigned char>(text[i])))
            return false;
    }
    return true;
}

}  // namespace

std::optional<std::string> KeywordRefusal(const std::string& keyword)
{
    if (keyword.empty())
        return std::string("An alias needs a keyword.");
    if (Utf16Length(keyword) > kMaxAliasKeyword)
        return std::string("A keyword has at most 32 characters.");
    for (char c : keyword) {
        if (IsBlankOrTab(c))
            return std::string("A keyword cannot hold a blank.");
        if (std::string("=;[%\"\\").find(c) != std::string::npos)
            return "A keyword cannot hold " + std::string(1, c) + ".";
    }
    return std::nullopt;
}

std::vector<std::string> AliasArguments(const std::string& rest)
{
    std::vector<std::string> arguments;
    std::size_t at = 0;
    while (true) {
        while (at < rest.size() && IsBlankOrTab(rest[at]))
            ++at;
        if (at >= rest.size())
            return arguments;
        std::string argument;
        bool quoted = false;
        for (; at < rest.size() && (quoted || !IsBlankOrTab(rest[at])); ++at) {
            if (rest[at] == '\\') {
                std::size_t slashes = 0;
                while (at < rest.size() && rest[at] == '\\') {
                    ++slashes;
                    ++at;
                }
                if (at < rest.size() && rest[at] == '"') {
                    argument.append(slashes / 2, '\\');
                    if (slashes % 2 == 1) {
                        argument += '"';
                        continue;
                    }
                } else {
                    argument.append(slashes, '\\');
                    --at;
                    continue;
                }
            }
            if (rest[at] == '"') {
                if (quoted && at + 1 < rest.size() && rest[at + 1] == '"') {
                    argument += '"';
                    ++at;
                } else {
                    quoted = !quoted;
                }
            } else {
                argument += rest[at];
            }
        }
        arguments.push_back(std::move(argument));
    }
}

std::string ExpandAlias(const std::string& aliasTemplate, const std::string& rest)
{
    const bool url = IsUrlTemplate(aliasTemplate);
    const std::vector<std::string> arguments = AliasArguments(rest);
    std::string expansion;
    bool placeholders = false;
    for (std::size_t at = 0; at < aliasTemplate.size(); ++at) {
        const char c = aliasTemplate[at];
        if ((c == '{' || c == '}') && at + 1 < aliasTemplate.size() && aliasTemplate[at + 1] == c) {
            expansion += c;
            ++at;
            continue;
        }
        const std::optional<int> placeholder = PlaceholderAt(aliasTemplate, at);
        if (!placeholder) {
            expansion += c;
            continue;
        }
        placeholders = true;
        at += 2;
        std::string value = *placeholder == 0 ? rest
                            : static_cast<std::size_t>(*placeholder) <= arguments.size()
                                ? arguments[static_cast<std::size_t>(*placeholder) - 1]
                                : std::string();
        if (url)
            value = PercentEncoded(value);
        else if (*placeholder != 0 && value.find(' ') != std::string::npos)
            value = "\"" + value + "\"";
        expansion += value;
    }
    if (!placeholders && !rest.empty())
        expansion += " " + rest;
    return expansion;
}

std::optional<AliasUse> FindAliasUse(const std::string& text, const std::vector<Alias>& aliases, FoldText fold)
{
    const std::size_t blank = text.find(' ');
    const std::string keyword = fold(text.substr(0, blank));
    if (keyword.empty())
        return std::nullopt;
    for (const Alias& alias : aliases) {
        if (fold(alias.keyword) != keyword)
            continue;
        std::string rest = blank == std::string::npos ? std::string() : Trim(text.substr(blank + 1));
        std::string expansion = ExpandAlias(alias.aliasTemplate, rest);
        return AliasUse{alias.keyword, std::move(rest), std::move(expansion)};
    }
    return std::nullopt;
}
