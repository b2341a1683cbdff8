// The keys room: the global hotkey and Win+R.
//
// The keys Velquin takes from the whole system for its window: the hotkey of the settings, and Win+R.
#pragma once

#include "framework/Dialog.h"
#include "framework/MessageDelivery.h"
#include "keys/WinRHook.h"

#include <windows.h>

#include <string>

class GlobalKeys {
public:
    // The window hears a summons as this message (Win+R), and WM_HOTKEY for the hotkey. While Win+R is taken,
    // the window watches the session's changes through `delivery`.
    GlobalKeys(UINT summonMessage, MessageDelivery& delivery) : summonMessage_(summonMessage), delivery_(delivery)
    {
    }

    // The hotkey of the settings (none for 0) and Win+R, in place of those before. A hotkey another program
    // holds is tried again at the next start; the user hears of it when `tellWhenHeld`.
    void Take(HWND window, int hotKey, bool winR, bool tellWhenHeld);
    // Windows removes a low-level hook that misses its time-out, without a word: besides its own renewal every
    // few minutes, Win+R is set anew when the window shows, when the machine resumes and when the session is
    // unlocked.
    void RenewWinR() { winR_.Renew(); }
    // WM_POWERBROADCAST and WM_WTSSESSION_CHANGE; the message goes on.
    bool OnSystemNotice(Message& message);
    // WM_DESTROY: the window stops watching the session before it goes.
    bool OnWindowDestroyed();

    // The name the keyboard gives the hotkey's key, such as "R" or "F5".
    static std::string KeyName(int hotKey);

private:
    bool TakeHotKey(HWND window, int value);
    void TakeWinR(HWND window, bool take);
    void StopWatchingSession();

    UINT summonMessage_;
    MessageDelivery& delivery_;
    HWND watching_ = nullptr;  // the window that hears the session's changes
    WinRHook winR_;
};
