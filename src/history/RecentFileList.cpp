#include "history/RecentFileList.h"

#include "framework/Text.h"

#include <algorithm>
#include <set>
#include <utility>

CRecentFileList::CRecentFileList(int /*firstNumber*/, std::string section, std::string entryFormat, int size,
                                 int /*maxDisplayLength*/)
    : section_(std::move(section)), entryFormat_(std::move(entryFormat)), entries_(static_cast<size_t>(size))
{
}

void CRecentFileList::Add(const std::string& text)
{
    if (entries_.empty())
        return;
    std::move_backward(entries_.begin(), entries_.end() - 1, entries_.end());
    entries_.front() = text;
}

void CRecentFileList::Remove(int index)
{
    if (index < 0 || index >= GetSize())
        return;
    entries_.erase(entries_.begin() + index);
    entries_.emplace_back();
}

std::string CRecentFileList::EntryName(int index) const
{
    // Only the one "%d" is filled in, so a format never reads arguments it was not given.
    std::string name = entryFormat_;
    const size_t at = name.find("%d");
    if (at != std::string::npos)
        name.replace(at, 2, std::to_string(index + 1));
    return name;
}

bool CRecentFileList::IsEntryName(const std::string& name) const
{
    const size_t at = entryFormat_.find("%d");
    if (at == std::string::npos)
        return false;
    const std::string before = entryFormat_.substr(0, at);
    const std::string after = entryFormat_.substr(at + 2);
    if (name.size() <= before.size() + after.size() || !StartsWithAsciiNoCase(name, before) ||
        !EqualsAsciiNoCase(name.substr(name.size() - after.size()), after))
        return false;
    const std::string digits = name.substr(before.size(), name.size() - before.size() - after.size());
    return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void CRecentFileList::ReadList(const ProfileStore& profile)
{
    std::vector<std::string> names;
    for (int i = 0; i < GetSize(); ++i)
        names.push_back(EntryName(i));
    std::vector<std::string> texts = profile.ReadStrings(section_, names);
    for (size_t i = 0; i < texts.size(); ++i) {
        if (Utf16Length(texts[i]) > kMaxProfileText)
            texts[i].clear();
        entries_[i] = std::move(texts[i]);
    }
}

void CRecentFileList::WriteList(ProfileStore& profile) const
{
    const ProfileBatch batch(profile);
    std::set<std::string, bool (*)(const std::string&, const std::string&)> written(
        [](const std::string& a, const std::string& b) { return LessAsciiNoCase(a, b); });
    for (int i = 0; i < GetSize(); ++i) {
        const std::string& text = entries_[static_cast<size_t>(i)];
        if (text.empty())
            continue;
        // A slot whose write is refused counts as empty: the text it held before must not stay behind
        // as a second copy of an entry that has moved down.
        const std::string name = EntryName(i);
        if (profile.WriteString(section_, name, text))
            written.insert(name);
    }
    // Empty slots, and slots beyond a shrunken size, leave no value behind.
    for (const std::string& name : profile.ValueNames(section_)) {
        if (IsEntryName(name) && written.find(name) == written.end())
            profile.DeleteValue(section_, name);
    }
}
