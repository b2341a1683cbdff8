#include "keys/WinRHook.h"

#include "keys/HotKey.h"

namespace {

// Marks the keys the hook sends itself, so that it lets them through.
constexpr ULONG_PTR kOwnKey = 0x5652;
// A key no keyboard has: pressed between Win and its release, it keeps the Start menu closed.
constexpr WORD kMaskKey = 0xE8;

// One hook at a time; its thread alone uses this once it runs.
struct HookState {
    HWND window = nullptr;
    UINT message = 0;
    WinRShortcut keys;
    HANDLE ready = nullptr;
    bool installed = false;
} hook;

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

DWORD WINAPI RunHook(void*)
{
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue that Stop's quit message goes to
    const UniqueHandle<HookTraits> installed(SetWindowsHookExW(WH_KEYBOARD_LL, OnKey, GetModuleHandleW(nullptr), 0));
    hook.installed = static_cast<bool>(installed);
    SetEvent(hook.ready);
    while (installed && GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}

}  // namespace

bool WinRHook::Start(HWND window, UINT message)
{
    Stop();
    const UniqueHandle<KernelHandleTraits> ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    // The keyboard delay setting, 0 to 3, stands for about 250 to 1000 ms; a little more allows for a late repeat.
    int delay = 3;
    SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
    const WinRShortcut keys(static_cast<unsigned long>(delay + 1) * 250 + 100);
    hook = HookState{window, message, keys, ready.Get(), false};
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
