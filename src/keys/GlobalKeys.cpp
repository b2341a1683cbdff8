#include "keys/GlobalKeys.h"

#include "framework/MessageBox.h"
#include "framework/Trace.h"
#include "framework/Unicode.h"
#include "keys/HotKey.h"

#include <commctrl.h>

namespace {

constexpr int kHotKeyId = 1;

}  // namespace

void GlobalKeys::Take(HWND window, int hotKey, bool winR, bool tellWhenHeld)
{
    if (!TakeHotKey(window, hotKey)) {
        if (tellWhenHeld)
            ShowMessageBox(window, HotKeyInUseText(HotKeyText(hotKey, KeyName(hotKey))), "Velquin",
                           MB_ICONEXCLAMATION);
        else
            Trace("GlobalKeys -- the hotkey is held by another program.\n");
    }
    TakeWinR(window, winR);
}

bool GlobalKeys::TakeHotKey(HWND window, int value)
{
    UnregisterHotKey(window, kHotKeyId);
    const HotKeyParts keys = SplitHotKey(value);
    return value == 0 || RegisterHotKey(window, kHotKeyId, keys.modifiers, keys.key);
}

void GlobalKeys::TakeWinR(HWND window, bool take)
{
    if (!take) {
        winR_.Stop();
        StopWatchingSession();
        return;
    }
    if (!winR_.Start(window, summonMessage_))
        Trace("GlobalKeys -- the system refused the keyboard hook for Win+R.\n");
    // An unlock is a moment the hook may have been lost in; wtsapi32 is loaded for it only now, after the first paint.
    if (!watching_ && delivery_.WatchSession(window))
        watching_ = window;
}

bool GlobalKeys::OnSystemNotice(Message& message)
{
    if (RenewsWinRHook(message.id, message.wParam))
        winR_.Renew();
    return false;
}

bool GlobalKeys::OnWindowDestroyed()
{
    StopWatchingSession();
    return false;
}

void GlobalKeys::StopWatchingSession()
{
    if (watching_)
        delivery_.StopWatchingSession(watching_);
    watching_ = nullptr;
}

std::string GlobalKeys::KeyName(int hotKey)
{
    const UINT key = static_cast<UINT>(hotKey) & 0xFF;
    LONG code = static_cast<LONG>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
    if ((hotKey >> 8) & HOTKEYF_EXT)
        code |= 1 << 24;
    wchar_t name[64] = {};
    return GetKeyNameTextW(code, name, 64) > 0 ? Utf8(name) : std::string(1, static_cast<char>(key));
}
