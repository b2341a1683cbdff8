#include "framework/IniText.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsQuoted(std::string_view text)
{
    return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

std::string Unquoted(std::string_view text)
{
    if (!IsQuoted(text))
        return std::string(text);
    text = text.substr(1, text.size() - 2);
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] == '\\' && (next == 'n' || next == 'r' || next == '\\')) {
            plain += next == 'n' ? '\n' : next == 'r' ? '\r' : '\\';
            ++i;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

bool NeedsQuotes(std::string_view text)
{
    return (!text.empty() && (IsBlank(text.front()) || IsBlank(text.back()))) ||
           text.find_first_of("\r\n") != std::string_view::npos || IsQuoted(text);
}

std::string Quoted(std::string_view text)
{
    std::string quoted = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (c == '\n' || c == '\r') {
            quoted += c == '\n' ? "\\n" : "\\r";
        } else {
            // A backslash stays single unless what follows would read as an escape with it.
            quoted += c;
            if (c == '\\' && (next == 'n' || next == 'r' || next == '\\' || next == '\n' || next == '\r'))
                quoted += '\\';
        }
    }
    return quoted + "\"";
}

bool IsSectionName(std::string_view name)
{
    return !name.empty() && TrimBlanks(name) == name && name.find_first_of("]\r\n") == std::string_view::npos;
}

// One line's meaning, or why it has none.
struct Line {
    enum Kind { Nothing, Section, Value, Damaged } kind = Nothing;
    std::string name;
    std::string text;
    const char* what = "";
};

Line ReadLine(std::string_view line)
{
    if (!IsUtf8(line))
        return {Line::Damaged, {}, {}, "it is not UTF-8 text"};
    const std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() == ';')
        return {};
    if (trimmed.front() == '[') {
        if (trimmed.back() != ']' || !IsSectionName(TrimBlanks(trimmed.substr(1, trimmed.size() - 2))))
            return {Line::Damaged, {}, {}, "it is no section, value or comment"};
        return {Line::Section, std::string(TrimBlanks(trimmed.substr(1, trimmed.size() - 2))), {}, ""};
    }
    const std::size_t equals = trimmed.find('=');
    const std::string_view name =
        equals == std::string_view::npos ? std::string_view() : TrimBlanks(trimmed.substr(0, equals));
    if (name.empty())
        return {Line::Damaged, {}, {}, "it is no section, value or comment"};
    return {Line::Value, std::string(name), Unquoted(TrimBlanks(trimmed.substr(equals + 1))), ""};
}

// The whole text line by line; false at the first damaged line when strict, else each one counted.
bool Read(std::string_view bytes, IniDocument& document, IniProblem* problem, int* skipped)
{
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());
    int number = 0;
    bool lostSection = false;  // the values after a damaged section line have no section to go to
    while (!bytes.empty()) {
        ++number;
        std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        Line read = ReadLine(line);
        if (read.kind == Line::Value && (document.empty() || lostSection))
            read = {Line::Damaged, {}, {}, "a value comes before the first section"};
        if (read.kind == Line::Section || (read.kind == Line::Damaged && TrimBlanks(line).substr(0, 1) == "["))
            lostSection = read.kind == Line::Damaged;
        if (read.kind == Line::Damaged) {
            if (problem) {
                *problem = {number, read.what};
                return false;
            }
            if (skipped)
                ++*skipped;
        } else if (read.kind == Line::Section) {
            document.push_back({std::move(read.name), {}});
        } else if (read.kind == Line::Value) {
            document.back().values.push_back({std::move(read.name), std::move(read.text), number});
        }
    }
    return true;
}

}  // namespace

bool IsUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || i + length > bytes.size())
            return false;
        unsigned long code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto follow = static_cast<unsigned char>(bytes[i + k]);
            if ((follow & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (follow & 0x3F);
        }
        // Overlong forms, surrogates and code points past Unicode's last are no UTF-8.
        static constexpr unsigned long kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kLeast[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return false;
        i += length;
    }
    return true;
}

bool IsIniName(std::string_view name)
{
    return !name.empty() && TrimBlanks(name) == name && name.find_first_of("=\r\n") == std::string_view::npos &&
           name.front() != '[' && name.front() != ';';
}

IniDocument ReadIniLeniently(std::string_view bytes, int* skipped)
{
    IniDocument document;
    Read(bytes, document, nullptr, skipped);
    return document;
}

std::optional<IniDocument> ReadIniStrictly(std::string_view bytes, IniProblem& problem)
{
    IniDocument document;
    if (!Read(bytes, document, &problem, nullptr))
        return std::nullopt;
    return document;
}

std::string WriteIni(const IniDocument& document)
{
    std::string text(kByteOrderMark);
    for (const IniSection& section : document) {
        if (!IsSectionName(section.name))
            continue;
        if (text.size() > kByteOrderMark.size())
            text += "\r\n";
        text += "[" + section.name + "]\r\n";
        for (const IniValue& value : section.values) {
            if (IsIniName(value.name))
                text += value.name + "=" + (NeedsQuotes(value.text) ? Quoted(value.text) : value.text) + "\r\n";
        }
    }
    return text;
}
