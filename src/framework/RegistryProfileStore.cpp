#include "framework/RegistryProfileStore.h"

#include "framework/Registry.h"
#include "framework/Text.h"

#include <utility>

RegistryProfileStore::RegistryProfileStore(std::string root) : root_(std::move(root)) {}

std::string RegistryProfileStore::SectionPath(const std::string& section) const
{
    return root_ + "\\" + section;
}

int RegistryProfileStore::ReadInt(const std::string& section, const std::string& entry, int defaultValue) const
{
    if (root_.empty())
        return defaultValue;
    const auto value = RegKey::Open(HKEY_CURRENT_USER, SectionPath(section)).ReadDword(entry);
    return value ? static_cast<int>(*value) : defaultValue;
}

std::string RegistryProfileStore::ReadString(const std::string& section, const std::string& entry,
                                                   const std::string& defaultValue) const
{
    if (root_.empty())
        return defaultValue;
    const auto value = RegKey::Open(HKEY_CURRENT_USER, SectionPath(section)).ReadString(entry);
    return value ? *value : defaultValue;
}

bool RegistryProfileStore::WriteInt(const std::string& section, const std::string& entry, int value)
{
    if (root_.empty())
        return false;
    return RegKey::Create(HKEY_CURRENT_USER, SectionPath(section)).WriteDword(entry, static_cast<DWORD>(value));
}

bool RegistryProfileStore::WriteString(const std::string& section, const std::string& entry,
                                              const std::string& value)
{
    if (root_.empty() || Utf16Length(value) > kMaxProfileText)
        return false;
    return RegKey::Create(HKEY_CURRENT_USER, SectionPath(section)).WriteString(entry, value);
}

bool RegistryProfileStore::DeleteValue(const std::string& section, const std::string& entry)
{
    if (root_.empty())
        return false;
    return RegKey::Open(HKEY_CURRENT_USER, SectionPath(section), KEY_SET_VALUE).DeleteValue(entry);
}

std::vector<std::string> RegistryProfileStore::ValueNames(const std::string& section) const
{
    if (root_.empty())
        return {};
    return RegKey::Open(HKEY_CURRENT_USER, SectionPath(section)).ValueNames();
}

std::vector<std::string> RegistryProfileStore::ReadStrings(const std::string& section,
                                                           const std::vector<std::string>& entries) const
{
    // One key opening for the lot: a full history is 99 values.
    const RegKey key = root_.empty() ? RegKey() : RegKey::Open(HKEY_CURRENT_USER, SectionPath(section));
    std::vector<std::string> texts;
    for (const std::string& entry : entries)
        texts.push_back(key.ReadString(entry).value_or(std::string()));
    return texts;
}

std::vector<std::pair<std::string, std::string>> RegistryProfileStore::ReadSection(const std::string& section) const
{
    const RegKey key = root_.empty() ? RegKey() : RegKey::Open(HKEY_CURRENT_USER, SectionPath(section));
    std::vector<std::pair<std::string, std::string>> values;
    for (const std::string& name : key.ValueNames()) {
        if (const auto number = key.ReadDword(name))
            values.emplace_back(name, std::to_string(static_cast<int>(*number)));
        else if (const auto text = key.ReadString(name))
            values.emplace_back(name, *text);
    }
    return values;
}
