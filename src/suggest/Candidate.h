// What the suggestion list offers: lines from the history, the Start menu, App Paths, PATH and the file
// system, each ready to be matched against what the user types.
#pragma once

#include <string>
#include <vector>

// In the order a kind of match ranks them.
// An app of the Apps folder ranks as a Start-menu shortcut does.
enum class Source : unsigned char { History, Window, Alias, StartMenu, App, AppPaths, Path, Folder, File };

// The grey word beside a line: "History", "Start menu"...
const char* SourceName(Source source);

// Letter case folded away, one UTF-16 unit for one (the system's ordinal rule), so that names compare
// byte for byte. Called once per name as it is indexed, and once per key for the typed text.
using FoldText = std::string (*)(const std::string& text);

// Whose icon a line shows: a file's or a folder's, under the rule that opens no untrusted file
// (IconLookupFor), a Start-menu shortcut's own, or a packaged app's as the Apps folder shows it.
enum class IconKind : unsigned char { File, Folder, Shortcut, App };

// What the control rules would find for a line's command when the index knows it already: a shortcut is
// read on the index thread, never on the window's.
enum class Known : unsigned char { Nothing, Exists, Missing };

struct Candidate {
    std::string name;      // as the line shows it
    std::string command;   // what the line puts into the box
    std::string iconPath;  // the file whose icon the line shows; empty for the default icon
    Source source = Source::History;
    IconKind iconKind = IconKind::File;
    Known existence = Known::Nothing;
};

// A candidate with what matching needs, worked out once.
struct IndexedCandidate {
    Candidate item;
    std::string folded;         // the name
    std::string initials;       // the first letter of each word of the folded name
    std::string foldedCommand;  // the command, to find one program offered twice
    unsigned length = 0;        // the name's length in UTF-16 units
};

IndexedCandidate Indexed(Candidate candidate, FoldText fold);

// A word begins the name or follows a blank, "-", "_", "." or "\".
bool IsWordBreak(char c);

using Candidates = std::vector<IndexedCandidate>;
