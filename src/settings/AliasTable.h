// The user's aliases, kept in the profile's key "Aliases": each value's name is a keyword, its text the
// template. Read once, written at once.
#pragma once

#include "framework/ProfileStore.h"
#include "text/AliasText.h"

#include <string>
#include <vector>

class AliasTable {
public:
    AliasTable(ProfileStore& profile, FoldText fold) : profile_(profile), fold_(fold) {}

    // In the order of their folded keywords.
    const std::vector<Alias>& All();
    std::optional<AliasUse> UseIn(const std::string& text) { return FindAliasUse(text, All(), fold_); }
    // The keyword as stored that folds as this one does, if any.
    std::optional<std::string> Spelling(const std::string& keyword);
    // Writes the alias, replacing the one stored as `replaced` (any spelling of a keyword: a change of letter
    // case respells it). False when the profile refused it.
    bool Put(const Alias& alias, const std::string& replaced = std::string());
    bool Remove(const std::string& keyword);
    // The profile changed: read again when next needed.
    void Reread();

    // What OK does with an alias's fields, the alias `edited` being changed (empty: a new one): refuse, and say
    // why; or ask before it replaces another alias stored under the keyword (its spelling given); or write.
    struct Check {
        std::optional<std::string> refusal;
        std::optional<std::string> replaces;
    };
    Check CheckEdit(const Alias& alias, const std::string& edited);

private:
    ProfileStore& profile_;
    FoldText fold_;
    bool loaded_ = false;
    std::vector<Alias> aliases_;
};
