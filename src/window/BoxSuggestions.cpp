#include "window/BoxSuggestions.h"

#include "framework/Text.h"
#include "suggest/SuggestList.h"

namespace {

constexpr UINT_PTR kIndexTimer = 0x5147;  // "SG"

}  // namespace

void BoxSuggestions::Turn(bool on, HWND window, ControlRules& rules, std::function<void()> launch,
                          unsigned indexDelay)
{
    window_ = window;
    Suggester::Box box;
    box.window = window;
    box.box = box_.Handle();
    box.fill = [this, &rules](const std::string& text, Known known) {
        box_.SetEditText(text);  // no typing: the lines stay
        box_.SetEditSel(static_cast<int>(Utf16Length(text)), -1);
        rules.OnLineFilled(known == Known::Nothing ? std::nullopt : std::optional<bool>(known == Known::Exists));
    };
    box.launch = std::move(launch);
    box.forget = [this](const std::string& entry) { history_.RemoveFromMRU(entry); };
    suggester_.Attach(std::move(box));
    suggester_.Enable(on);
    if (indexDelay == 0)
        suggester_.StartIndex();
    else if (on)
        SetTimer(window, kIndexTimer, indexDelay, nullptr);
}

bool BoxSuggestions::OnTimer(Message& message)
{
    if (message.wParam != kIndexTimer)
        return false;
    KillTimer(window_, kIndexTimer);
    suggester_.StartIndex();
    return true;
}

void BoxSuggestions::OnTyped()
{
    // The box's own drop-down keeps its keys.
    if (box_.Send(CB_GETDROPPEDSTATE)) {
        suggester_.Hide();
        return;
    }
    int start = 0, end = 0;
    box_.GetEditSel(start, end);
    suggester_.OnTyped(TypedPart(box_.EditText(), start, end), history_.Entries());
}

std::string BoxSuggestions::TypedAtLaunch() const
{
    int start = 0, end = 0;
    box_.GetEditSel(start, end);
    return suggester_.TypedAtLaunch(box_.EditText(), start, end);
}

bool BoxSuggestions::OnKey(unsigned key)
{
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    switch (key) {
    case VK_UP: return suggester_.OnKey(ListKey::Up);
    case VK_DOWN: return suggester_.OnKey(ListKey::Down);
    case VK_PRIOR: return suggester_.OnKey(ListKey::PageUp);
    case VK_NEXT: return suggester_.OnKey(ListKey::PageDown);
    case VK_ESCAPE: return suggester_.OnKey(ListKey::Escape);
    case VK_DELETE: return shift && suggester_.OnKey(ListKey::ShiftDelete);
    default: return false;
    }
}

bool BoxSuggestions::OnWindowChange(Message& message)
{
    const UINT id = message.id;
    const WPARAM wParam = message.wParam;
    const bool away = id == WM_MOVE || (id == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) ||
                      (id == WM_SIZE && wParam == SIZE_MINIMIZED);
    if (away)
        suggester_.Hide();
    return false;
}
