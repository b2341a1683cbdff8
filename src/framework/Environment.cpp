#include "framework/Environment.h"

#include <algorithm>

namespace {

bool Has(const std::vector<std::string>& names, const std::string& name, SameTextRule same)
{
    return std::any_of(names.begin(), names.end(), [&](const std::string& other) { return same(other, name); });
}

std::vector<std::string> Names(const Variables& variables)
{
    std::vector<std::string> names;
    for (const std::string& entry : variables)
        names.push_back(VariableName(entry));
    return names;
}

}  // namespace

std::string VariableName(const std::string& entry)
{
    return entry.substr(0, entry.find('=', 1));
}

std::vector<std::string> OwnVariables(const Variables& process, const Variables& logon, SameTextRule same)
{
    const std::vector<std::string> logonNames = Names(logon);
    std::vector<std::string> own;
    for (const std::string& name : Names(process)) {
        if (!Has(logonNames, name, same))
            own.push_back(name);
    }
    return own;
}

EnvironmentChange ChangeTo(const Variables& process, const Variables& logon, const std::vector<std::string>& own,
                           SameTextRule same)
{
    const std::vector<std::string> logonNames = Names(logon);
    EnvironmentChange change{logon, {}};
    for (const std::string& name : Names(process)) {
        // "=C:" and its kind hold each drive's current folder: the process's state, no variable of the user's.
        const bool kept = name.empty() || name[0] == '=' || Has(own, name, same);
        if (!kept && !Has(logonNames, name, same))
            change.remove.push_back(name);
    }
    return change;
}
