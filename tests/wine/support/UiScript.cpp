#include "UiScript.h"

#include <memory>

#include <map>

namespace {

std::map<UINT_PTR, UiScript*>& Scripts()
{
    static std::map<UINT_PTR, UiScript*> scripts;
    return scripts;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> ThreadWindows()
{
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

}  // namespace

std::string WindowText(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

HWND MessageTextControl(HWND box)
{
    HWND text = GetDlgItem(box, 0xFFFF);
    return text && ClassOf(text) == "Static" ? text : nullptr;
}

bool IsMessageBox(HWND window)
{
    // A message box is a dialog with its icon static (0x440) and its text static (0xFFFF).
    HWND icon = GetDlgItem(window, 0x440);
    return ClassOf(window) == "#32770" && icon && ClassOf(icon) == "Static" && MessageTextControl(window);
}

UiScript::UiScript(DWORD timeoutMs) : deadline_(GetTickCount() + timeoutMs)
{
    timer_ = SetTimer(nullptr, 0, 15, OnTimer);
    Scripts()[timer_] = this;
}

UiScript::~UiScript()
{
    KillTimer(nullptr, timer_);
    Scripts().erase(timer_);
}

UiScript& UiScript::When(std::function<bool()> condition, std::function<void()> action)
{
    steps_.push_back({std::move(condition), std::move(action)});
    return *this;
}

UiScript& UiScript::Then(std::function<void()> action)
{
    return When(nullptr, std::move(action));
}

UiScript& UiScript::WaitForDialog(const std::string& caption, HWND* window)
{
    return When([caption, window] { return (*window = FindThreadDialog(caption)) != nullptr; }, [] {});
}

UiScript& UiScript::AnswerMessageBox(MessageBoxSeen* seen, int buttonId)
{
    auto box = std::make_shared<HWND>(nullptr);
    return When([box] { return (*box = FindMessageBox()) != nullptr; },
                [box, seen, buttonId] {
                    if (seen)
                        *seen = ReadMessageBox(*box);
                    Click(*box, buttonId);
                });
}

void CALLBACK UiScript::OnTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    auto found = Scripts().find(id);
    if (found != Scripts().end())
        found->second->Tick();
}

void UiScript::Tick()
{
    if (static_cast<LONG>(GetTickCount() - deadline_) > 0) {
        timedOut_ = true;
        CloseThreadWindows();
        return;
    }
    if (Finished())
        return;
    Step& step = steps_[next_];
    if (step.condition && !step.condition())
        return;
    // Counted before it runs: an action that opens a modal loop lets the next steps run inside it.
    const std::function<void()> action = step.action;
    ++next_;
    if (action)
        action();
}

HWND FindThreadDialog(const std::string& caption)
{
    for (HWND window : ThreadWindows()) {
        if (IsWindowVisible(window) && ClassOf(window) == "#32770" && WindowText(window) == caption &&
            !IsMessageBox(window))
            return window;
    }
    return nullptr;
}

HWND FindMessageBox()
{
    for (HWND window : ThreadWindows()) {
        if (IsWindowVisible(window) && IsMessageBox(window))
            return window;
    }
    return nullptr;
}

MessageBoxSeen ReadMessageBox(HWND box)
{
    MessageBoxSeen seen;
    seen.window = box;
    seen.caption = WindowText(box);
    if (HWND text = MessageTextControl(box))
        seen.text = WindowText(text);
    HWND icon = GetDlgItem(box, 0x440);
    if (icon && IsWindowVisible(icon))
        seen.icon = reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0));
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == "Button" && IsWindowVisible(child))
            seen.buttons.push_back(WindowText(child));
    }
    return seen;
}

void Click(HWND dialog, int controlId)
{
    HWND control = GetDlgItem(dialog, controlId);
    // A disabled button cannot be clicked: nothing reaches the dialog, as with the mouse.
    if (control && !IsWindowEnabled(control))
        return;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

void PressKey(HWND window, UINT virtualKey)
{
    const UINT scan = MapVirtualKeyA(virtualKey, 0);
    PostMessageA(window, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    PostMessageA(window, WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000u);
}

void TypeText(HWND window, const std::string& text)
{
    for (char c : text) {
        // A key that makes no character of its own, then the character: exactly one WM_CHAR per character,
        // whatever the keyboard layout and shift state.
        PostMessageA(window, WM_KEYDOWN, VK_F24, 1);
        PostMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 1);
        PostMessageA(window, WM_KEYUP, VK_F24, 0xC0000001u);
    }
}

void ClickButton(HWND button)
{
    PostMessageA(button, BM_CLICK, 0, 0);
}

void CloseThreadWindows()
{
    for (HWND window : ThreadWindows()) {
        if (!IsWindowVisible(window))
            continue;
        for (int id : {IDCANCEL, IDNO, IDOK})
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
}
