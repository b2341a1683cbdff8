// The profile in the registry: HKEY_CURRENT_USER\<root>\<section>, one value per entry.
#pragma once

#include "framework/ProfileStore.h"

class RegistryProfileStore : public ProfileStore {
public:
    // An empty root reads every value as its default and writes nothing.
    explicit RegistryProfileStore(std::string root = std::string());

    const std::string& Root() const { return root_; }
    void SetRoot(std::string root) { root_ = std::move(root); }

    int ReadInt(const std::string& section, const std::string& entry, int defaultValue) const override;
    std::string ReadString(const std::string& section, const std::string& entry,
                                 const std::string& defaultValue = std::string()) const override;
    bool WriteInt(const std::string& section, const std::string& entry, int value) override;
    bool WriteString(const std::string& section, const std::string& entry, const std::string& value) override;
    std::vector<std::string> ReadStrings(const std::string& section,
                                         const std::vector<std::string>& entries) const override;
    bool DeleteValue(const std::string& section, const std::string& entry) override;
    std::vector<std::string> ValueNames(const std::string& section) const override;
    std::vector<std::pair<std::string, std::string>> ReadSection(const std::string& section) const override;

private:
    std::string SectionPath(const std::string& section) const;

    std::string root_;
};
