// "Open with Win+R": a low-level keyboard hook that takes the system's shortcut. It runs on a thread of its own,
// so that nothing the window does (a file search on a network path) can hold up the system's input.
#pragma once

#include "framework/Handles.h"

class WinRHook {
public:
    WinRHook() = default;
    ~WinRHook() { Stop(); }
    WinRHook(const WinRHook&) = delete;
    WinRHook& operator=(const WinRHook&) = delete;

    // Posts `message` to `window` each time the keys are taken; false when the system refuses the hook.
    bool Start(HWND window, UINT message);
    void Stop();
    bool Running() const { return static_cast<bool>(thread_); }

private:
    UniqueHandle<KernelHandleTraits> thread_;
    DWORD threadId_ = 0;
};
