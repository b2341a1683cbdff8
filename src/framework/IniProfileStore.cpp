#include "framework/IniProfileStore.h"

#include <algorithm>
#include <utility>

namespace {

bool IsAscii(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

IniProfileStore::IniProfileStore(const IniDocument& document, SameTextRule same, Save save)
    : same_(same), save_(std::move(save))
{
    for (const IniSection& section : document) {
        for (const IniValue& value : section.values)
            Set(section.name, value.name, value.text);
    }
}

bool IniProfileStore::SameName(const std::string& a, const std::string& b) const
{
    // Profile names are ASCII but for aliases' keywords: the system's rule is asked only for those.
    if (a.size() == b.size() && EqualsAsciiNoCase(a, b))
        return true;
    return !(IsAscii(a) && IsAscii(b)) && same_(a, b);
}

IniSection* IniProfileStore::FindSection(const std::string& section) const
{
    for (const IniSection& s : document_) {
        if (SameName(s.name, section))
            return const_cast<IniSection*>(&s);  // one search for both uses; the const one only reads
    }
    return nullptr;
}

IniValue* IniProfileStore::Find(const std::string& section, const std::string& entry) const
{
    IniSection* s = FindSection(section);
    if (!s)
        return nullptr;
    for (IniValue& value : s->values) {
        if (SameName(value.name, entry))
            return &value;
    }
    return nullptr;
}

int IniProfileStore::ReadInt(const std::string& section, const std::string& entry, int defaultValue) const
{
    const IniValue* value = Find(section, entry);
    const std::optional<int> number = value ? ParseInt(value->text) : std::nullopt;
    return number.value_or(defaultValue);
}

std::string IniProfileStore::ReadString(const std::string& section, const std::string& entry,
                                        const std::string& defaultValue) const
{
    const IniValue* value = Find(section, entry);
    return value ? value->text : defaultValue;
}

bool IniProfileStore::WriteInt(const std::string& section, const std::string& entry, int value)
{
    return Set(section, entry, std::to_string(value)) && Changed();
}

bool IniProfileStore::WriteString(const std::string& section, const std::string& entry, const std::string& value)
{
    return Utf16Length(value) <= kMaxProfileText && Set(section, entry, value) && Changed();
}

bool IniProfileStore::DeleteValue(const std::string& section, const std::string& entry)
{
    const IniValue* value = Find(section, entry);
    if (!value)
        return false;
    std::vector<IniValue>& values = FindSection(section)->values;
    values.erase(values.begin() + (value - values.data()));
    return Changed();
}

std::vector<std::string> IniProfileStore::ValueNames(const std::string& section) const
{
    std::vector<std::string> names;
    if (const IniSection* s = FindSection(section)) {
        for (const IniValue& value : s->values)
            names.push_back(value.name);
    }
    return names;
}

std::vector<std::pair<std::string, std::string>> IniProfileStore::ReadSection(const std::string& section) const
{
    std::vector<std::pair<std::string, std::string>> values;
    if (const IniSection* s = FindSection(section)) {
        for (const IniValue& value : s->values)
            values.emplace_back(value.name, value.text);
    }
    return values;
}

void IniProfileStore::BeginBatch()
{
    ++batches_;
}

bool IniProfileStore::CommitBatch()
{
    if (batches_ > 0)
        --batches_;
    SaveIfDue();
    return !unsaved_;
}

bool IniProfileStore::Set(const std::string& section, const std::string& entry, const std::string& text)
{
    if (!IsIniName(section) || section.find(']') != std::string::npos || !IsIniName(entry))
        return false;
    if (IniValue* value = Find(section, entry)) {
        value->text = text;
        return true;
    }
    IniSection* s = FindSection(section);
    if (!s) {
        document_.push_back({section, {}});
        s = &document_.back();
    }
    s->values.push_back({entry, text});
    return true;
}

bool IniProfileStore::Changed()
{
    unsaved_ = true;
    SaveIfDue();
    return true;
}

// The file follows each change outside a batch, and each outermost batch; a change it could not take is
// kept for the next.
void IniProfileStore::SaveIfDue()
{
    if (batches_ == 0 && unsaved_ && save_)
        unsaved_ = !save_(WriteIni(document_));
}
