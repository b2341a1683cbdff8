// A new spelling of an App Paths entry's name ("notepad.exe" as "Notepad.exe"), given in one step where the
// system renames keys, else through a copy parked beside the entry. Whatever step fails, the entry lives on
// under one of its names.
#pragma once

#include <string>

// The registry steps of a respelling in one table, each on a key of the table by its name (letter case
// ignored, as the registry compares).
class EntryKeys {
public:
    virtual ~EntryKeys() = default;

    virtual bool Exists(const std::string& name) = 0;
    // The key with its values and subkeys copied to `to`, created when missing, merged into it when not. A
    // copy that fails may leave some of it behind.
    virtual bool CopyTree(const std::string& from, const std::string& to) = 0;
    // True when no key of the name is left.
    virtual bool DeleteTree(const std::string& name) = 0;
    // One step where the system renames keys: false where it cannot, fails, or keeps the old spelling.
    virtual bool Rename(const std::string& from, const std::string& to) = 0;
    // A value of its own on the key, set or cleared in one write, which a copy of the key takes along: false when
    // the key is missing, the write is refused, or there is no mark to clear.
    virtual bool Mark(const std::string& name, bool marked) = 0;
    virtual bool Marked(const std::string& name) = 0;
};

// The name the entry is parked under while it has neither spelling: it says whose copy it is, so a copy left
// by a crash is found and put back.
std::string ParkedEntryName(const std::string& name);

// Gives the entry `from` the spelling `to`, a name the same under the system's rule. A copy of it parked by an
// earlier respelling that did not finish comes back first when the entry itself is missing or may be half-made
// (the copy is marked). Where the parked name would be longer than a key name may be, only the system's rename
// is tried. False, and the entry under its old spelling or parked, when a step fails.
bool RespellEntry(EntryKeys& keys, const std::string& from, const std::string& to);
