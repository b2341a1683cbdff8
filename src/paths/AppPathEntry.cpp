#include "paths/AppPathEntry.h"

#include <algorithm>

std::vector<ListedAppPath> MergeAppPathNames(const std::vector<std::string>& machine,
                                             const std::vector<std::string>& user, SameTextRule same)
{
    std::vector<ListedAppPath> listed;
    for (const std::string& name : user)
        listed.push_back({name, AppPathTable::User});
    for (const std::string& name : machine) {
        const bool shadowed = std::any_of(user.begin(), user.end(),
                                          [&](const std::string& own) { return same(own, name); });
        if (!shadowed)
            listed.push_back({name, AppPathTable::Machine});
    }
    return listed;
}

std::string AppPathRefusedText(const std::string& name)
{
    return "The entry '" + name +
           "' could not be saved: Windows refused the change to both the machine's App Paths and your own.";
}
