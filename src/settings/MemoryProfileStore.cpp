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
    return e == s->second.end() ? nullptr : &e->second.value;
}

void MemoryProfileStore::Store(const std::string& section, const std::string& entry, Value value)
{
    auto& values = sections_[Fold(section)];
    auto found = values.find(Fold(entry));
    if (found == values.end())
        values.emplace(Fold(entry), Stored{entry, std::move(value)});
    else
        found->second.value = std::move(value);  // the first spelling stays, as in the registry
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
    Store(section, entry, value);
    return true;
}

bool MemoryProfileStore::WriteString(const std::string& section, const std::string& entry,
                                            const std::string& value)
{
    if (value.size() > kMaxProfileText)
        return false;
    Store(section, entry, value);
    return true;
}

bool MemoryProfileStore::DeleteValue(const std::string& section, const std::string& entry)
{
    auto s = sections_.find(Fold(section));
    return s != sections_.end() && s->second.erase(Fold(entry)) > 0;
}

std::vector<std::string> MemoryProfileStore::ValueNames(const std::string& section) const
{
    std::vector<std::string> names;
    auto s = sections_.find(Fold(section));
    if (s != sections_.end()) {
        for (const auto& value : s->second)
            names.push_back(value.second.name);
    }
    return names;
}

bool MemoryProfileStore::Contains(const std::string& section, const std::string& entry) const
{
    return Find(section, entry) != nullptr;
}

size_t MemoryProfileStore::ValueCount() const
{
    size_t count = 0;
    for (const auto& section : sections_)
        count += section.second.size();
    return count;
}
