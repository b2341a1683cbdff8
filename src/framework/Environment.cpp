#include "framework/Environment.h"

#include <algorithm>

namespace {

bool Has(const Variables& entries, const std::string& name, SameTextRule same)
{
    return std::any_of(entries.begin(), entries.end(),
                       [&](const std::string& entry) { return same(VariableName(entry), name); });
}

bool Listed(const std::vector<std::string>& names, const std::string& name, SameTextRule same)
{
    return std::any_of(names.begin(), names.end(), [&](const std::string& other) { return same(other, name); });
}

}  // namespace

std::string VariableName(const std::string& entry)
{
    return entry.substr(0, entry.find('=', 1));
}

std::vector<std::string> OwnVariables(const Variables& process, const Variables& logon,
                                      const std::vector<std::string>& registryNames, SameTextRule same)
{
    std::vector<std::string> own;
    for (const std::string& entry : process) {
        const std::string name = VariableName(entry);
        if (!Has(logon, name, same) && !Listed(registryNames, name, same))
            own.push_back(name);
    }
    return own;
}

EnvironmentChange ChangeTo(const Variables& process, const Variables& logon, const std::vector<std::string>& own,
                           SameTextRule same)
{
    EnvironmentChange change{logon, {}};
    for (const std::string& entry : process) {
        const std::string name = VariableName(entry);
        // "=C:" and its kind hold each drive's current folder: the process's state, no variable of the user's.
        const bool kept = name.empty() || name[0] == '=' || Listed(own, name, same);
        if (!kept && !Has(logon, name, same))
            change.remove.push_back(name);
    }
    return change;
}
