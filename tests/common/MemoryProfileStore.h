// A profile kept in memory, for the tests, the fuzz targets and the benchmarks. Names compare without
// regard to case and keep the spelling they were first written with, as registry names do.
#pragma once

#include "framework/ProfileStore.h"
#include "framework/Text.h"

#include <map>
#include <string>
#include <variant>

class MemoryProfileStore : public ProfileStore {
public:
    std::vector<std::string> writes;  // the names written, in order

    int ReadInt(const std::string& section, const std::string& entry, int defaultValue) const override
    {
        const auto* value = Find(section, entry);
        return value && std::holds_alternative<int>(value->second) ? std::get<int>(value->second) : defaultValue;
    }
    std::string ReadString(const std::string& section, const std::string& entry,
                           const std::string& defaultValue = std::string()) const override
    {
        const auto* value = Find(section, entry);
        return value && std::holds_alternative<std::string>(value->second) ? std::get<std::string>(value->second)
                                                                            : defaultValue;
    }
    bool WriteInt(const std::string& section, const std::string& entry, int value) override
    {
        return Store(section, entry, value);
    }
    bool WriteString(const std::string& section, const std::string& entry, const std::string& value) override
    {
        return Utf16Length(value) <= kMaxProfileText && Store(section, entry, value);
    }
    bool DeleteValue(const std::string& section, const std::string& entry) override
    {
        return sections_[section].erase(entry) > 0;
    }
    std::vector<std::string> ValueNames(const std::string& section) const override
    {
        std::vector<std::string> names;
        const auto found = sections_.find(section);
        for (const auto& value : found == sections_.end() ? Values() : found->second)
            names.push_back(value.second.first);
        return names;
    }
    std::vector<std::pair<std::string, std::string>> ReadSection(const std::string& section) const override
    {
        std::vector<std::pair<std::string, std::string>> values;
        const auto found = sections_.find(section);
        for (const auto& value : found == sections_.end() ? Values() : found->second) {
            const auto& stored = value.second.second;
            values.emplace_back(value.second.first, std::holds_alternative<int>(stored)
                                                        ? std::to_string(std::get<int>(stored))
                                                        : std::get<std::string>(stored));
        }
        return values;
    }

private:
    struct NoCase {
        bool operator()(const std::string& a, const std::string& b) const { return LessAsciiNoCase(a, b); }
    };
    // Per name: the name as first written, and the value.
    using Values = std::map<std::string, std::pair<std::string, std::variant<int, std::string>>, NoCase>;

    const Values::mapped_type* Find(const std::string& section, const std::string& entry) const
    {
        const auto s = sections_.find(section);
        if (s == sections_.end())
            return nullptr;
        const auto e = s->second.find(entry);
        return e == s->second.end() ? nullptr : &e->second;
    }
    bool Store(const std::string& section, const std::string& entry, std::variant<int, std::string> value)
    {
        writes.push_back(entry);
        auto& stored = sections_[section][entry];
        stored = {stored.first.empty() ? entry : stored.first, std::move(value)};
        return true;
    }

    std::map<std::string, Values, NoCase> sections_;
};
