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

bool RunValueNeedsWriting(const std::optional<StoredRunValue>& value, const std::string& self,
                          const RunValueSystem& system)
{
    if (!value)
        return true;
    // Windows fills in an expandable value's references before it runs it; so is it compared.
    const std::string command = value->expandable ? system.expandReferences(value->text) : value->text;
    const std::string program = ProgramOfRunCommand(command);
    if (program.empty())
        return true;
    if (system.same(program, self))
        return command[0] != '"';  // unquoted, a path with blanks is tried piece by piece
    return !system.exists(program);
}
