// The text work of the sources: what a file's line is called and puts into the box, and which folder or
// variable a typed text asks for.
#pragma once

#include "suggest/Candidate.h"

#include <optional>
#include <string>
#include <vector>

// A file name without its extension.
std::string WithoutExtension(const std::string& name);

// PATHEXT's extensions (".COM;.EXE;.BAT"), folded; and whether the file name's extension is one of them.
std::vector<std::string> ProgramExtensions(const std::string& pathExt, FoldText fold);
bool HasProgramExtension(const std::string& fileName, const std::vector<std::string>& extensions, FoldText fold);
// How a program is typed: "winword" for "winword.exe"; ".exe" and ".com" go, other extensions stay.
std::string ProgramCommandOf(const std::string& fileName);

// A typed path whose folder's entries are offered.
struct FolderQuery {
    std::string folder;    // to list: references filled in, no quote
    std::string typedFolder;  // as typed up to its last backslash, a leading quote included
    std::string lastPart;  // what the entries' names must begin with
};
using ExpandText = std::string (*)(const std::string& text);
// A drive path, a UNC path, a path with a backslash or a %NAME%\ path; nothing when the text is none of these
// or has arguments after a closing quote.
std::optional<FolderQuery> FolderQueryOf(const std::string& typed, ExpandText expand);

// A folder's entries, listed once per visit.
struct FolderEntry {
    std::string name;
    std::string folded;
    bool isFolder = false;
    unsigned length = 0;  // the name's UTF-16 units, as every length is measured
};
struct FolderListing {
    std::string folder;
    std::vector<FolderEntry> entries;  // in the order of their folded names
};
// Measures the listing's entries and puts them in the order that finding them by the beginning of their names
// needs.
void SortListing(FolderListing& listing);
// The entries whose names begin with the last part, the few that can be offered: folders, then
// files, shorter names first (in UTF-16 units). A line shows the folder as typed and the entry's name, with a backslash after
// a folder so that typing goes on into it; a file is put into the box whole, quoted when it holds a blank.
Candidates OfferEntries(const FolderListing& listing, const FolderQuery& query, FoldText fold, std::size_t most);

// The variables' lines ("%APPDATA%\") whose names begin with a typed "%NAME" (folded); none for any other
// text.
Candidates OfferVariables(const Candidates& variables, const std::string& typed);

// How a line's icon is had, so that no untrusted file is opened for it: a file's icon handler runs inside
// Velquin, and a shortcut's icon on a share makes the system sign in there with the user's credentials.
enum class IconLookup {
    Own,     // read from the file: a Start-menu shortcut, or a local program, library or icon
    Folder,  // the folder icon
    Type,    // the icon of the name's type, the file left alone
};
IconLookup IconLookupFor(const std::string& path, IconKind kind, bool isFolder, bool onNetwork);
