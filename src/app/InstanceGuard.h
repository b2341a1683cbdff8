// One copy per logon: a named mutex, and what its creation tells of another copy.
#pragma once

#include <string>

inline constexpr const char* kInstanceGuardName = "Velquin is Running";

// The last error of creating the guard says that another copy runs: the name existed already, or it exists
// and this copy may not open it, as when the other was started as administrator.
bool AnotherCopyRuns(unsigned long lastError);

// A portable copy's guard is its own, named after its folder's identity (any text that every way to the
// folder gives alike), so that it runs beside an installed copy and beside a portable copy elsewhere.
std::string PortableGuardName(const std::string& folderIdentity);
// What a portable copy's window carries, so that a second start of that copy finds it and no other window;
// never 0, which stands for an installed copy.
unsigned long CopyMark(const std::string& folderIdentity);
