#include "framework/Wait.h"

DWORD WaitDispatching(const std::vector<HANDLE>& handles, DWORD milliseconds)
{
    const DWORD count = static_cast<DWORD>(handles.size());
    const DWORD start = GetTickCount();
    for (;;) {
        DWORD left = milliseconds;
        if (milliseconds != INFINITE) {
            const DWORD spent = GetTickCount() - start;
            left = spent >= milliseconds ? 0 : milliseconds - spent;
        }
        const DWORD woke = MsgWaitForMultipleObjectsEx(count, handles.data(), left, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke != WAIT_OBJECT_0 + count)
            return woke;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}
