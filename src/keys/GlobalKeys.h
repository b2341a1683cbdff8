// The keys room: the global hotkey and Win+R.
//
// The keys Velquin takes from the whole system for its window: the hotkey of the settings, and Win+R.
#pragma once

#include "keys/WinRHook.h"

#include <windows.h>

#include <string>

class GlobalKeys {
public:
    // The window hears a summons as this message (Win+R), and WM_HOTKEY for the hotkey.
    explicit GlobalKeys(UINT summonMessage) : summonMessage_(summonMessage) {}

    // The hotkey of the settings (none for 0) and Win+R, in place of those before. A hotkey another program
    // holds is tried again at the next start; the user hears of it when `tellWhenHeld`.
    void Take(HWND window, int hotKey, bool winR, bool tellWhenHeld);
    // Windows removes a low-level hook that answers too slowly, without a word: each showing sets it anew.
    void RenewWinR(HWND window);

    // The name the keyboard gives the hotkey's key, such as "R" or "F5".
    static std::string KeyName(int hotKey);

private:
    bool TakeHotKey(HWND window, int value);
    void TakeWinR(HWND window, bool take);

    UINT summonMessage_;
    WinRHook winR_;
};
