#include "UiScript.h"

#include "framework/Unicode.h"

#include <memory>

namespace {

UiScript* g_running = nullptr;  // one script at a time: its timer's ticks go to it

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

bool Enabled(HWND dialog, int controlId)
{
    return IsWindowEnabled(GetDlgItem(dialog, controlId)) != FALSE;
}

std::string WindowText(HWND window)
{
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return Utf8(text);
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

bool IsMessageBox(HWND window)
{
    // A message box is a dialog with its icon static (0x440) and its text static (0xFFFF).
    HWND icon = GetDlgItem(window, 0x440);
    HWND text = GetDlgItem(window, 0xFFFF);
    return ClassOf(window) == "#32770" && icon && ClassOf(icon) == "Static" && text && ClassOf(text) == "Static";
}

UiScript::UiScript(DWORD timeoutMs) : deadline_(GetTickCount() + timeoutMs)
{
    timer_ = SetTimer(nullptr, 0, 15, OnTimer);
    g_running = this;
}

UiScript::~UiScript()
{
    KillTimer(nullptr, timer_);
    g_running = nullptr;
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
    if (g_running && g_running->timer_ == id)
        g_running->Tick();
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

HWND FindThreadWindow(const std::function<bool(HWND)>& wanted)
{
    for (HWND window : ThreadWindows()) {
        if (IsWindowVisible(window) && wanted(window))
            return window;
    }
    return nullptr;
}

HWND FindThreadDialog(const std::string& caption)
{
    return FindThreadWindow(
        [&](HWND w) { return ClassOf(w) == "#32770" && WindowText(w) == caption && !IsMessageBox(w); });
}

HWND FindMessageBox()
{
    return FindThreadWindow(IsMessageBox);
}

MessageBoxSeen ReadMessageBox(HWND box)
{
    MessageBoxSeen seen{WindowText(box), WindowText(GetDlgItem(box, 0xFFFF)), 0, std::string()};
    std::string icon = "none", buttons, defaultButton;
    const HICON shown = reinterpret_cast<HICON>(SendDlgItemMessageA(box, 0x440, STM_GETICON, 0, 0));
    const std::pair<LPCSTR, const char*> icons[] = {
        {IDI_HAND, "error"}, {IDI_QUESTION, "question"}, {IDI_EXCLAMATION, "warning"}, {IDI_ASTERISK, "information"}};
    for (const auto& [id, name] : icons) {
        if (shown && IsWindowVisible(GetDlgItem(box, 0x440)) && shown == LoadIconA(nullptr, id))
            icon = name;
    }
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == "Button" && IsWindowVisible(child)) {
            ++seen.buttonCount;
            buttons += (buttons.empty() ? "" : " ") + WindowText(child);
            if ((GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                defaultButton = WindowText(child);
        }
    }
    seen.summary = seen.caption + " | " + seen.text + " | " + icon + " | " + buttons + " | " + defaultButton;
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
    for (wchar_t c : Wide(text)) {
        // A key that makes no character of its own, then the character: exactly one WM_CHAR per character,
        // whatever the keyboard layout and shift state.
        PostMessageW(window, WM_KEYDOWN, VK_F24, 1);
        PostMessageW(window, WM_CHAR, c, 1);
        PostMessageW(window, WM_KEYUP, VK_F24, 0xC0000001u);
    }
}

void CloseThreadWindows()
{
    for (HWND window : ThreadWindows()) {
        // A dialog a test hid and waited in vain to see again is closed too, or its modal loop would never end.
        if (!IsWindowVisible(window) && ClassOf(window) != "#32770")
            continue;
        for (int id : {IDCANCEL, IDNO, IDOK})
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
}
