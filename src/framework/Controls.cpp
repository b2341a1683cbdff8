#include "framework/Controls.h"

#include "framework/SystemLibrary.h"
#include "framework/Unicode.h"

#include <map>
#include <vector>

namespace {

std::map<HWND, ControlObject*>& AttachedControls()
{
    static std::map<HWND, ControlObject*> controls;
    return controls;
}

std::string TextFromLength(LRESULT length, const Window& window, UINT getMessage, int index)
{
    if (length == CB_ERR || length < 0)
        return std::string();
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    window.Send(getMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return Utf8(text.data());
}

}  // namespace

std::string Window::Text() const
{
    const int length = GetWindowTextLengthW(handle_);
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(handle_, text.data(), length + 1);
    return Utf8(text.data());
}

void Window::SetText(const std::string& text) const
{
    SetWindowTextW(handle_, Wide(text).c_str());
}

std::string Window::ClassName() const
{
    wchar_t name[64] = {};
    GetClassNameW(handle_, name, 64);
    return Utf8(name);
}

std::string ComboBox::ItemText(int index) const
{
    return TextFromLength(Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index)), *this, CB_GETLBTEXT, index);
}

int ComboBox::AddString(const std::string& text) const
{
    return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text).c_str())));
}

int ComboBox::SelectString(int start, const std::string& text) const
{
    const WideString wide = Wide(text);
    return static_cast<int>(Send(CB_SELECTSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(wide.c_str())));
}

bool ComboBox::GetEditSel(int& start, int& end) const
{
    DWORD first = 0;
    DWORD last = 0;
    if (Send(CB_GETEDITSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last)) == CB_ERR)
        return false;
    start = static_cast<int>(first);
    end = static_cast<int>(last);
    return true;
}

void ComboBox::ReplaceEditSel(const std::string& text) const
{
    if (HWND edit = FindWindowExW(Handle(), nullptr, L"Edit", nullptr))
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

std::string ListBox::ItemText(int index) const
{
    return TextFromLength(Send(LB_GETTEXTLEN, static_cast<WPARAM>(index)), *this, LB_GETTEXT, index);
}

int ListBox::AddString(const std::string& text) const
{
    return static_cast<int>(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text).c_str())));
}

std::vector<std::string> ListBox::Items() const
{
    std::vector<std::string> items;
    for (int i = 0; i < Count(); ++i)
        items.push_back(ItemText(i));
    return items;
}

ControlObject::~ControlObject()
{
    Detach();
}

void ControlObject::Attach(HWND handle)
{
    Detach();
    handle_ = handle;
    if (handle_)
        AttachedControls()[handle_] = this;
}

void ControlObject::Detach()
{
    if (handle_) {
        auto& controls = AttachedControls();
        auto found = controls.find(handle_);
        if (found != controls.end() && found->second == this)
            controls.erase(found);
    }
    handle_ = nullptr;
}

ControlObject* ControlObject::FromHandle(HWND handle)
{
    auto& controls = AttachedControls();
    auto found = controls.find(handle);
    return found == controls.end() ? nullptr : found->second;
}

int WindowDpi(HWND window)
{
    if (auto* dpiForWindow = User32().Procedure<UINT WINAPI(HWND)>("GetDpiForWindow"))
        return static_cast<int>(dpiForWindow(window));
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

void BringWindowForward(HWND window)
{
    if (IsIconic(window))
        ShowWindowAsync(window, SW_RESTORE);
    const HWND popup = GetLastActivePopup(window);
    const HWND target = popup ? popup : window;
    if (!SetForegroundWindow(target)) {
        if (auto* switchTo = User32().Procedure<void WINAPI(HWND, BOOL)>("SwitchToThisWindow"))
            switchTo(target, TRUE);
    }
}
