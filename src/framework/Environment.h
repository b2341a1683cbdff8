// A process's environment made again as a fresh logon makes it, after the user changed their variables: what
// is set, what goes, and what the process keeps of its own.
#pragma once

#include "framework/Text.h"

#include <string>
#include <vector>

// The entries of an environment block, "NAME=value", in the block's order; the hidden ones begin with "="
// ("=C:=C:\work" holds drive C's current folder).
using Variables = std::vector<std::string>;

// An entry's name: the text before its first "=" after the first character.
std::string VariableName(const std::string& entry);

// The names the process started with that neither a fresh logon's block nor the registry (as it was at start)
// gives: what the system or the parent gave the process alone (under Wine, WINEPREFIX and DISPLAY, which every
// program started needs). Kept for good.
std::vector<std::string> OwnVariables(const Variables& process, const Variables& logon,
                                      const std::vector<std::string>& registryNames, SameTextRule same);

struct EnvironmentChange {
    Variables set;                    // every entry of the new block
    std::vector<std::string> remove;  // the names of the process's others, but for its own and the hidden ones
};

EnvironmentChange ChangeTo(const Variables& process, const Variables& logon, const std::vector<std::string>& own,
                           SameTextRule same);
