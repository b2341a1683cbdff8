// Aliases: a keyword typed with the rest of a text, and a template it stands for ("g" for
// "https://example.com/?q={*}"). The rules of the keyword, the template's placeholders and their filling.
#pragma once

#include <optional>
#include <string>
#include <vector>

inline constexpr std::size_t kMaxAliasKeyword = 32;
inline constexpr std::size_t kMaxAliasExpansion = 2047;

// Why a keyword cannot be one; nothing when it can: not empty, at most 32 characters, no blank and none of
// = ; [ % " \.
std::optional<std::string> KeywordRefusal(const std::string& keyword);

// The rest's arguments, each token split as the system's command-line rules split an argument after the
// program's name: blanks and tabs separate outside quotes; 2n backslashes before a quote are n and the quote
// opens or closes; 2n+1 are n and a quote; other backslashes are themselves; "" inside quotes is a quote.
std::vector<std::string> AliasArguments(const std::string& rest);

// The template filled with the rest: {*} is the whole rest, {1}...{9} its arguments (empty when missing),
// {{ and }} are braces. In a URL template (letters, at least two, and ":" before the first placeholder),
// each replacement is percent-encoded as UTF-8; elsewhere {1}...{9} are quoted when they hold a blank and
// {*} goes in as typed. A template without a placeholder gets the rest after a blank.
std::string ExpandAlias(const std::string& aliasTemplate, const std::string& rest);

// An alias in use: the text is the keyword, or the keyword, a blank and the rest.
struct AliasUse {
    std::string keyword;  // as stored
    std::string rest;
    std::string expansion;
};
struct Alias {
    std::string keyword;
    std::string aliasTemplate;
};
using FoldText = std::string (*)(const std::string& text);
std::optional<AliasUse> FindAliasUse(const std::string& text, const std::vector<Alias>& aliases, FoldText fold);
