// A profile kept in memory, for tests and anywhere the registry must stay untouched.
// Names compare without regard to case, as registry names do.
#pragma once

#include "settings/ProfileStore.h"

#include <map>
#include <string>
#include <variant>

class MemoryProfileStore : public ProfileStore {
public:
    using Value = std::variant<int, std::string>;

    int ReadInt(const std::string& section, const std::string& entry, int defaultValue) const override;
    std::string ReadString(const std::string& section, const std::string& entry,
                                 const std::string& defaultValue = std::string()) const override;
    bool WriteInt(const std::string& section, const std::string& entry, int value) override;
    bool WriteString(const std::string& section, const std::string& entry, const std::string& value) override;
    bool DeleteValue(const std::string& section, const std::string& entry) override;
    std::vector<std::string> ValueNames(const std::string& section) const override;

    bool Contains(const std::string& section, const std::string& entry) const;
    size_t ValueCount() const;

private:
    struct Stored {
        std::string name;  // as first written
        Value value;
    };
    const Value* Find(const std::string& section, const std::string& entry) const;
    void Store(const std::string& section, const std::string& entry, Value value);

    std::map<std::string, std::map<std::string, Stored>> sections_;  // keys folded to lower case
};
