#include "settings/AliasTable.h"

#include "framework/Text.h"
#include "settings/ProfileLayout.h"

#include <algorithm>

using profile::kAliases;

const std::vector<Alias>& AliasTable::All()
{
    if (loaded_)
        return aliases_;
    loaded_ = true;
    const std::vector<std::string> names = profile_.ValueNames(kAliases);
    const std::vector<std::string> templates = profile_.ReadStrings(kAliases, names);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!KeywordRefusal(names[i]) && !templates[i].empty())
            aliases_.push_back({names[i], templates[i]});
    }
    std::sort(aliases_.begin(), aliases_.end(),
              [this](const Alias& a, const Alias& b) { return fold_(a.keyword) < fold_(b.keyword); });
    return aliases_;
}

std::optional<std::string> AliasTable::Spelling(const std::string& keyword)
{
    for (const Alias& alias : All()) {
        if (fold_(alias.keyword) == fold_(keyword))
            return alias.keyword;
    }
    return std::nullopt;
}

bool AliasTable::Put(const Alias& alias, const std::string& replaced)
{
    All();
    if (KeywordRefusal(alias.keyword) || alias.aliasTemplate.empty() ||
        !profile_.WriteString(kAliases, alias.keyword, alias.aliasTemplate))
        return false;
    // The registry keeps a name's first spelling: a respelt keyword is written anew.
    for (const std::string& old : {replaced, Spelling(alias.keyword).value_or(std::string())}) {
        if (!old.empty() && old != alias.keyword) {
            profile_.DeleteValue(kAliases, old);
            if (fold_(old) == fold_(alias.keyword))
                profile_.WriteString(kAliases, alias.keyword, alias.aliasTemplate);
        }
    }
    Reread();
    return true;
}

AliasTable::Check AliasTable::CheckEdit(const Alias& alias, const std::string& edited)
{
    if (std::optional<std::string> refusal = KeywordRefusal(alias.keyword))
        return {std::move(refusal), std::nullopt};
    if (alias.aliasTemplate.empty())
        return {std::string("An alias needs a template: the text its keyword stands for."), std::nullopt};
    if (Utf16Length(alias.aliasTemplate) > kMaxProfileText)
        return {std::string("A template has at most 259 characters."), std::nullopt};
    // The alias being edited may take another letter case without a question.
    const std::optional<std::string> existing = Spelling(alias.keyword);
    if (existing && (edited.empty() || fold_(*existing) != fold_(edited)))
        return {std::nullopt, existing};
    return {};
}

bool AliasTable::Remove(const std::string& keyword)
{
    const bool removed = profile_.DeleteValue(kAliases, keyword);
    Reread();
    return removed;
}

void AliasTable::Reread()
{
    loaded_ = false;
    aliases_.clear();
}
