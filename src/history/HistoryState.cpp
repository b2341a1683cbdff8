#include "history/HistoryState.h"

#include "settings/ProfileLayout.h"

std::string ReadHistoryState(ProfileStore& profile)
{
    return profile.ReadString(profile::kSettings, profile::kConfig);
}

void WriteHistoryState(ProfileStore& profile, const char* state)
{
    profile.WriteString(profile::kSettings, profile::kConfig, state);
}
