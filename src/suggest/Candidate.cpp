#include "suggest/Candidate.h"

#include <utility>

const char* SourceName(Source source)
{
    switch (source) {
    case Source::History: return "History";
    case Source::Window: return "Window";
    case Source::Alias: return "Alias";
    case Source::StartMenu: return "Start menu";
    case Source::App: return "App";
    case Source::AppPaths: return "App Paths";
    case Source::Path: return "PATH";
    case Source::Folder: return "Folder";
    case Source::File: return "File";
    }
    return "";
}

bool IsWordBreak(char c)
{
    return c == ' ' || c == '-' || c == '_' || c == '.' || c == '\\';
}

IndexedCandidate Indexed(Candidate candidate, FoldText fold)
{
    IndexedCandidate indexed;
    indexed.folded = fold(candidate.name);
    indexed.foldedCommand = candidate.command == candidate.name ? indexed.folded : fold(candidate.command);
    const std::string& name = indexed.folded;
    bool wordStarts = true;
    for (std::size_t at = 0; at < name.size();) {
        std::size_t bytes = 1;  // the whole character
        while (at + bytes < name.size() && (static_cast<unsigned char>(name[at + bytes]) & 0xC0) == 0x80)
            ++bytes;
        indexed.length += bytes == 4 ? 2 : 1;  // UTF-16 units, as the system counts
        if (IsWordBreak(name[at])) {
            wordStarts = true;
        } else if (wordStarts) {
            indexed.initials.append(name, at, bytes);
            wordStarts = false;
        }
        at += bytes;
    }
    indexed.item = std::move(candidate);
    return indexed;
}
