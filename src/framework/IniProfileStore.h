// The profile as an INI document held in memory and saved whole: after each write, or once per batch.
#pragma once

#include "framework/IniText.h"
#include "framework/ProfileStore.h"
#include "framework/Text.h"

#include <functional>

class IniProfileStore : public ProfileStore {
public:
    // Gets the whole file's bytes; false when they could not be kept. The values stay in memory either way,
    // so the program goes on with them.
    using Save = std::function<bool(const std::string& bytes)>;

    // Names compare by `same`; a section or name that came twice is one, its last value kept.
    IniProfileStore(const IniDocument& document, SameTextRule same, Save save);

    int ReadInt(const std::string& section, const std::string& entry, int defaultValue) const override;
    std::string ReadString(const std::string& section, const std::string& entry,
                           const std::string& defaultValue = std::string()) const override;
    bool WriteInt(const std::string& section, const std::string& entry, int value) override;
    bool WriteString(const std::string& section, const std::string& entry, const std::string& value) override;
    bool DeleteValue(const std::string& section, const std::string& entry) override;
    std::vector<std::string> ValueNames(const std::string& section) const override;
    std::vector<std::pair<std::string, std::string>> ReadSection(const std::string& section) const override;
    void BeginBatch() override;
    bool CommitBatch() override;

    const IniDocument& Document() const { return document_; }

private:
    bool SameName(const std::string& a, const std::string& b) const;
    IniSection* FindSection(const std::string& section) const;
    IniValue* Find(const std::string& section, const std::string& entry) const;
    bool Set(const std::string& section, const std::string& entry, const std::string& text);
    bool Changed();
    void SaveIfDue();

    IniDocument document_;
    SameTextRule same_;
    Save save_;
    int batches_ = 0;
    bool unsaved_ = false;
};
