// "Open with Win+R": a low-level keyboard hook that takes the system's shortcut. It runs on a thread of its own,
// so that nothing the window does (a file search on a network path) can hold up the system's input.
//
// Windows removes a low-level hook that misses its time-out (after a resume, under load) without a word: the
// hook is set anew on its thread every few minutes and whenever asked.
#pragma once

#include "framework/Handles.h"

class WinRHook {
public:
    static constexpr unsigned kRenewEvery = 3 * 60 * 1000;  // milliseconds

    WinRHook() = default;
    ~WinRHook() { Stop(); }
    WinRHook(const WinRHook&) = delete;
    WinRHook& operator=(const WinRHook&) = delete;

    // Posts `message` to `window` each time the keys are taken; false when the system refuses the hook.
    bool Start(HWND window, UINT message, unsigned renewEvery = kRenewEvery);
    void Stop();
    // Sets the hook anew on its thread, which keeps what it knows of the keys held down; the caller goes on at once.
    void Renew();
    bool Running() const { return static_cast<bool>(thread_); }
    // How many times a hook was set anew, by any hook of the process.
    static unsigned Renewals();

private:
    UniqueHandle<KernelHandleTraits> thread_;
    DWORD threadId_ = 0;
};
