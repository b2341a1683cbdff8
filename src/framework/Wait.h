// Waiting on a thread that the component system may call into: a thread of an apartment must go on
// dispatching its messages while it waits, or a call from another thread never returns.
#pragma once

#include <windows.h>

#include <vector>

// Waits until one of the handles (at most 63) is signalled or the time runs out, dispatching the thread's
// messages meanwhile. WAIT_OBJECT_0 + the handle's index, WAIT_TIMEOUT or WAIT_FAILED, as
// WaitForMultipleObjects answers.
DWORD WaitDispatching(const std::vector<HANDLE>& handles, DWORD milliseconds);
