#include "launcher/HistoryLog.h"

#include <fstream>

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
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << content;
    file.close();
    return static_cast<bool>(file);
}
