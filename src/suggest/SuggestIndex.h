// The programs offered by name, gathered on a thread of their own: Start-menu shortcuts, App Paths names and
// the programs on PATH, one line per program.
#pragma once

#include "suggest/Candidate.h"

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

// A shortcut of the Start menu and where it leads, read on the index thread.
struct ShortcutFile {
    std::string path;
    std::string target;            // empty: no file target (an installer's advertised shortcut, a .url)
    bool targetOnNetwork = false;  // then not looked for: the share may not answer
    bool targetExists = false;
};

// What the system holds, as read: nothing here is decided yet.
struct IndexSources {
    std::vector<ShortcutFile> shortcuts;
    std::vector<std::pair<std::string, std::string>> appPaths;  // entry name, its program's path
    std::vector<std::string> pathFiles;                         // full paths, in the order of PATH
    std::string pathExt;                                        // as the variable holds it
    std::vector<std::string> environment;                       // variable names
    std::vector<std::pair<std::string, std::string>> apps;      // the Apps folder: name, application id
};

struct SuggestIndex {
    Candidates items;                                       // shortcuts, then App Paths, then PATH
    std::unordered_map<std::string, std::size_t> byCommand;  // an item by its folded command
    Candidates variables;                                   // "%NAME%\\", one line per variable
};

// A shortcut and an App Paths or PATH program of one name are one program: the shortcut stays, and the
// program's command leads to it; so are two shortcuts of one name, the first kept. Lines of one command are
// one line, the first kept. A command with a blank is quoted. Left out: a shortcut to a local file that is
// gone (an uninstalled program's leftover), and names and commands longer than 259 characters, which the box
// cannot hold.
SuggestIndex BuildIndex(const IndexSources& sources, FoldText fold);

// An installed package's application id, "Family!AppId" with a family "Name_" and a 13-character publisher
// id: the apps the Programs folders have no shortcut for. Desktop programs of the Apps folder are left to
// their shortcuts.
bool IsPackagedAppId(const std::string& appId);
