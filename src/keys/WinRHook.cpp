#include "keys/WinRHook.h"

#include "keys/HotKey.h"

#include <atomic>

namespace {

// Marks the keys the hook sends itself, so that it lets them through.
constexpr ULONG_PTR kOwnKey = 0x5652;
// A key no keyboard has: pressed between Win and its release, it keeps the Start menu closed.
constexpr WORD kMaskKey = 0xE8;

// Asks the hook's thread to set the hook anew.
constexpr UINT kRenewMessage = WM_APP;

// One hook at a time; its thread alone uses this once it runs.
struct HookState {
    HWND window = nullptr;
    UINT message = 0;
    WinRShortcut keys;
    unsigned renewEvery = 0;
    HANDLE ready = nullptr;
    bool installed = false;
} hook;

std::atomic<unsigned> renewals{0};

unsigned HeldModifiers()
{
    const auto down = [](int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; };
    return (down(VK_LWIN) || down(VK_RWIN) ? kWinHeld : 0) | (down(VK_SHIFT) ? kShiftHeld : 0) |
           (down(VK_CONTROL) ? kControlHeld : 0) | (down(VK_MENU) ? kAltHeld : 0);
}

// Sent from this process, the key also lets the window come to the front.
void PressMaskKey()
{
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = kMaskKey;
        key.ki.dwExtraInfo = kOwnKey;
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

LRESULT CALLBACK OnKey(int code, WPARAM message, LPARAM info)
{
    const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(info);
    if (code == HC_ACTION && key.dwExtraInfo != kOwnKey) {
        const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        switch (hook.keys.OnKey(key.vkCode, down, HeldModifiers(), key.time)) {
        case KeyVerdict::Open:
            PressMaskKey();
            PostMessageW(hook.window, hook.message, 0, 0);
            return 1;
        case KeyVerdict::Swallow:
            return 1;
        case KeyVerdict::Pass:
            break;
        }
    }
    return CallNextHookEx(nullptr, code, message, info);
}

HHOOK Install()
{
    return SetWindowsHookExW(WH_KEYBOARD_LL, OnKey, GetModuleHandleW(nullptr), 0);
}

DWORD WINAPI RunHook(void*)
{
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue that Stop's and Renew's messages go to
    UniqueHandle<HookTraits> installed(Install());
    hook.installed = static_cast<bool>(installed);
    SetEvent(hook.ready);
    if (!installed)
        return 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, hook.renewEvery, nullptr);
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        const bool renew = message.hwnd == nullptr && (message.message == kRenewMessage ||
                                                      (message.message == WM_TIMER && message.wParam == timer));
        if (!renew) {
            DispatchMessageW(&message);
            continue;
        }
        // The new hook first, then the old one goes, on this thread and with the same keys' state: an R held
        // down across the renewal keeps being swallowed, where a new thread would let its repeats type. Keys
        // already on their way to the old hook reach it before it goes, or they would pass unseen; one that
        // passes both hooks meanwhile is seen twice, which changes nothing.
        if (UniqueHandle<HookTraits> renewed{Install()}) {
            PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            installed = std::move(renewed);
            ++renewals;
        }
    }
    KillTimer(nullptr, timer);
    return 0;
}

}  // namespace

bool WinRHook::Start(HWND window, UINT message, unsigned renewEvery)
{
    Stop();
    const UniqueHandle<KernelHandleTraits> ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    // The keyboard delay setting, 0 to 3, stands for about 250 to 1000 ms; a little more allows for a late repeat.
    int delay = 3;
    SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
    const WinRShortcut keys(static_cast<unsigned long>(delay + 1) * 250 + 100);
    hook = HookState{window, message, keys, renewEvery, ready.Get(), false};
    thread_.Reset(CreateThread(nullptr, 0, RunHook, nullptr, 0, &threadId_));
    if (thread_)
        WaitForSingleObject(ready.Get(), INFINITE);
    if (!hook.installed)
        Stop();
    return Running();
}

void WinRHook::Stop()
{
    if (!thread_)
        return;
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_.Get(), INFINITE);
    thread_.Reset();
}

void WinRHook::Renew()
{
    if (thread_)
        PostThreadMessageW(threadId_, kRenewMessage, 0, 0);
}

unsigned WinRHook::Renewals()
{
    return renewals;
}
