// One copy per logon: a named mutex, and what its creation tells of another copy.
#pragma once

inline constexpr const char* kInstanceGuardName = "Velquin is Running";

// The last error of creating the guard says that another copy runs: the name existed already, or it exists
// and this copy may not open it, as when the other was started as administrator.
bool AnotherCopyRuns(unsigned long lastError);
