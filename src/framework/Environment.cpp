#include "framework/Environment.h"

#include <algorithm>

namespace {

bool Has(const Variables& variables, const std::string& name, SameTextRule same)
{
    return std::any_of(variables.begin(), variables.end(),
                       [&](const auto& variable) { return same(variable.first, name); });
}

}  // namespace

std::vector<std::string> OwnVariables(const Variables& process, const Variables& logon, SameTextRule same)
{
    std::vector<std::string> own;
    for (const auto& [name, value] : process) {
        if (!Has(logon, name, same))
            own.push_back(name);
    }
    return own;
}

EnvironmentChange ChangeTo(const Variables& process, const Variables& logon, const std::vector<std::string>& own,
                           SameTextRule same)
{
    EnvironmentChange change{logon, {}};
    for (const auto& [name, value] : process) {
        // "=C:" and its kind hold each drive's current folder: the process's state, no variable of the user's.
        const bool kept = name.empty() || name[0] == '=' ||
                          std::any_of(own.begin(), own.end(), [&](const std::string& o) { return same(o, name); });
        if (!kept && !Has(logon, name, same))
            change.remove.push_back(name);
    }
    return change;
}
