#include "settings/StartWithWindows.h"

std::string RunCommandOf(const std::string& programPath)
{
    return "\"" + programPath + "\"";
}

std::string ProgramOfRunCommand(const std::string& value)
{
    const size_t close = value.find('"', 1);
    if (value.empty() || value[0] != '"' || close == std::string::npos)
        return value;
    return value.substr(1, close - 1);
}

bool RunValueNeedsWriting(const std::optional<std::string>& value,
                          const std::function<bool(const std::string& path)>& exists)
{
    if (!value)
        return true;
    const std::string program = ProgramOfRunCommand(*value);
    return program.empty() || !exists(program);
}
