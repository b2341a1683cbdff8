#include "launch/HistoryLog.h"

#include "framework/Text.h"
#include "settings/SettingsRecord.h"

#include <cstdio>

namespace {

constexpr const char* kLineEnd = "\r\n";  // written as bytes, whatever the platform's text mode does

std::string Header()
{
    return std::string("[Velquin History]") + kLineEnd + kLineEnd;
}

}  // namespace

std::string HistoryLogText(const std::vector<std::string>& entries)
{
    std::string text = Header();
    for (size_t i = 0; i < entries.size(); ++i)
        text += "File #" + std::to_string(i + 1) + ": " + entries[i] + kLineEnd;
    return text;
}

std::string PlaceholderLogText()
{
    return Header() + "No items have been added yet." + kLineEnd;
}

bool WriteLogFile(const std::string& path, const std::string& content)
{
    if (path.empty())
        return false;
    // C streams: the C++ ones would bring their whole locale machinery into a small program. On Windows the
    // path goes through the wide function, so that any folder name works.
#ifdef _WIN32
    std::FILE* file = _wfopen(reinterpret_cast<const wchar_t*>(Utf16(path).c_str()), L"wb");
#else
    std::FILE* file = std::fopen(path.c_str(), "wb");
#endif
    if (!file)
        return false;
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    return std::fclose(file) == 0 && written;
}

void KeepHistoryLog(const CMRUComboBox& history, ProfileStore& profile)
{
    SettingsRecord settings;
    settings.LoadSettings(profile);
    if (settings.SaveToFile != 1)
        return;
    std::vector<std::string> items;
    if (ComboBoxView* box = history.View()) {
        for (int i = 0; i < box->ItemCount(); ++i)
            items.push_back(box->ItemText(i));
    }
    WriteLogFile(settings.LogFile, HistoryLogText(items));
}
