#include "settings/MemoryProfileStore.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Fold(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

}  // namespace

const MemoryProfileStore::Value* MemoryProfileStore::Find(const std::string& section, const std::string& entry) const
{
    auto s = sections_.find(Fold(section));
    if (s == sections_.end())
        return nullptr;
    auto e = s->second.find(Fold(entry));
    return e == s->second.end() ? nullptr : &e->second;
}

int MemoryProfileStore::ReadInt(const std::string& section, const std::string& entry, int defaultValue) const
{
    const Value* value = Find(section, entry);
    return value && std::holds_alternative<int>(*value) ? std::get<int>(*value) : defaultValue;
}

std::string MemoryProfileStore::ReadString(const std::string& section, const std::string& entry,
                                                 const std::string& defaultValue) const
{
    const Value* value = Find(section, entry);
    return value && std::holds_alternative<std::string>(*value) ? std::get<std::string>(*value) : defaultValue;
}

bool MemoryProfileStore::WriteInt(const std::string& section, const std::string& entry, int value)
{
    sections_[Fold(section)][Fold(entry)] = value;
    return true;
}

bool MemoryProfileStore::WriteString(const std::string& section, const std::string& entry,
                                            const std::string& value)
{
    if (value.size() > kMaxProfileText)
        return false;
    sections_[Fold(section)][Fold(entry)] = value;
    return true;
}

bool MemoryProfileStore::Contains(const std::string& section, const std::string& entry) const
{
    return Find(section, entry) != nullptr;
}

void MemoryProfileStore::Remove(const std::string& section, const std::string& entry)
{
    auto s = sections_.find(Fold(section));
    if (s != sections_.end())
        s->second.erase(Fold(entry));
}

size_t MemoryProfileStore::ValueCount() const
{
    size_t count = 0;
    for (const auto& section : sections_)
        count += section.second.size();
    return count;
}
