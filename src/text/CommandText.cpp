#include "text/CommandText.h"

#include "framework/Text.h"

namespace {

constexpr auto npos = std::string::npos;

// Between the first and the last double quote, and everything after the last one.
CommandSplit SplitAtQuotes(const std::string& t)
{
    const size_t q1 = t.find('"');
    const size_t q2 = t.rfind('"');
    return {q1 == q2 ? std::string() : t.substr(q1 + 1, q2 - q1 - 1), t.substr(q2 + 1), q2 + 1};
}

// At a blank: the program before it, the parameters from it on.
CommandSplit SplitAt(const std::string& t, size_t blank)
{
    return {t.substr(0, blank), t.substr(blank), blank};
}

CommandSplit Finish(CommandSplit split)
{
    return {Trim(split.program), TrimRight(split.parameters), split.typedLength};
}

// Where ".lnk" first occurs, in any letter case.
size_t FindShortcutSuffix(const std::string& t)
{
    for (size_t at = t.find('.'); at != npos; at = t.find('.', at + 1)) {
        if (EqualsAsciiNoCase(t.substr(at, 4), ".lnk"))
            return at;
    }
    return npos;
}

}  // namespace

CommandSplit SplitCommandText(const std::string& t, const std::string& fallbackProgram, const FileSearch& find)
{
    const size_t n = t.size();
    const size_t s = t.find(' ');
    const size_t q1 = t.find('"');
    const bool hasBlank = s != npos;
    const bool hasQuote = q1 != npos;

    // An existing shortcut typed without quotes, blanks and all; what follows are its parameters.
    if (const std::optional<std::string> path = TypedShortcut(t); path && find(*path, nullptr))
        return Finish({*path, t.substr(path->size()), path->size()});

    CommandSplit split{t, std::string(), n};

    // 1. A program followed by quoted arguments.
    if (hasBlank && hasQuote && s < q1)
        return SplitAt(t, s);

    // 2. A blank without quotes.
    if (hasBlank && !hasQuote) {
        split = SplitAt(t, s);
        if (t.back() == '\\')
            split = {t.substr(0, n - 1), std::string(), n};
        if (find(t, nullptr))
            return {t, std::string(), n};
    }

    // 3. A quoted program; a quoted shortcut among them, opened as itself.
    if (hasQuote)
        split = SplitAtQuotes(t);

    // 4. An unquoted ".exe".
    if (t.find(".exe") != npos && !hasQuote) {
        if (!hasBlank)
            split.program = fallbackProgram;
        else
            split = SplitAt(t, s);
    }

    return Finish(split);
}

std::optional<std::string> TypedShortcut(const std::string& t)
{
    const size_t lnk = FindShortcutSuffix(t);
    if (lnk == npos || t.find('"') != npos || (lnk + 4 < t.size() && t[lnk + 4] != ' '))
        return std::nullopt;
    return t.substr(0, lnk + 4);
}

std::optional<std::string> LeadingQuotedPart(const std::string& text)
{
    const size_t last = text.rfind('"');
    if (text.empty() || text[0] != '"' || last == npos || last == 0)
        return std::nullopt;
    return text.substr(1, last - 1);
}

std::string ExaminedText(const std::string& source, bool trim)
{
    const std::string text = trim ? Trim(source) : source;
    if (const auto quoted = LeadingQuotedPart(text))
        return *quoted;
    if (!text.empty() && text.back() == '\\')
        return text.substr(0, text.size() - 1);
    return text;
}

bool IsShortcutPath(const std::string& path)
{
    return path.size() >= 4 && EqualsAsciiNoCase(path.substr(path.size() - 4), ".lnk");
}

bool IsUncPath(const std::string& path)
{
    const auto slash = [](char c) { return c == '\\' || c == '/'; };
    return path.size() > 2 && slash(path[0]) && slash(path[1]);
}

std::string DriveRootOf(const std::string& path)
{
    const bool letter = !path.empty() && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return letter && path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) + "\\" : std::string();
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('\\');
    if (slash == npos)
        return std::string();
    // "C:" alone means the current folder of drive C: a drive's root keeps its backslash.
    const bool driveRoot = slash == 2 && path[1] == ':';
    return path.substr(0, driveRoot ? slash + 1 : slash);
}

std::string NameOf(const std::string& path)
{
    const size_t slash = path.rfind('\\');
    return slash == npos ? path : path.substr(slash + 1);
}
