// Whether the user cleared the history and has launched nothing since (Settings/Config): the main window
// opens with the newest entry in the box only when not.
#pragma once

#include "framework/ProfileStore.h"

#include <string>

inline constexpr const char* kHistoryCleared = "Cleared";
inline constexpr const char* kHistoryNotCleared = "Not Cleared";

// Empty for a profile that never had one.
std::string ReadHistoryState(ProfileStore& profile);
void WriteHistoryState(ProfileStore& profile, const char* state);
