// Thin, non-owning wrappers over windows and the standard controls.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class Window {
public:
    Window() = default;
    explicit Window(HWND handle) : handle_(handle) {}

    HWND Handle() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    int Id() const { return GetDlgCtrlID(handle_); }

    std::string Text() const;
    void SetText(const std::string& text) const;

    void Enable(bool enable = true) const { EnableWindow(handle_, enable ? TRUE : FALSE); }
    bool IsEnabled() const { return IsWindowEnabled(handle_) != FALSE; }
    bool IsVisible() const { return IsWindowVisible(handle_) != FALSE; }
    void Show(int command) const { ShowWindow(handle_, command); }
    void Focus() const { SetFocus(handle_); }
    DWORD Style() const { return static_cast<DWORD>(GetWindowLongW(handle_, GWL_STYLE)); }
    std::string ClassName() const;

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return SendMessageW(handle_, message, wParam, lParam);
    }
    bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return PostMessageW(handle_, message, wParam, lParam) != FALSE;
    }

protected:
    HWND handle_ = nullptr;
};

// The window's dots per inch: its monitor's where the system tells (Windows 10 1607 and later), the
// screen's otherwise.
int WindowDpi(HWND window);

class Button : public Window {
public:
    using Window::Window;

    bool IsChecked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
    void SetCheck(bool checked) const { Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
    // BS_PUSHBUTTON or BS_DEFPUSHBUTTON, for the default-button look.
    void SetButtonStyle(DWORD style, bool redraw = true) const { Send(BM_SETSTYLE, style, redraw ? TRUE : FALSE); }
};

class Edit : public Window {
public:
    using Window::Window;

    void SetSel(int start, int end) const { Send(EM_SETSEL, static_cast<WPARAM>(start), end); }
    void LimitText(int characters) const { Send(EM_LIMITTEXT, static_cast<WPARAM>(characters)); }
};

class ComboBox : public Window {
public:
    using Window::Window;

    int Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }
    std::string ItemText(int index) const;
    int AddString(const std::string& text) const;
    void ResetContent() const { Send(CB_RESETCONTENT); }
    // The first item that begins with the text (case ignored) after start; -1 searches the whole list.
    int SelectString(int start, const std::string& text) const;
    // Start and end of the edit field's selection; false when the box cannot tell.
    bool GetEditSel(int& start, int& end) const;
    void SetEditSel(int start, int end) const { Send(CB_SETEDITSEL, 0, MAKELPARAM(start, end)); }
    // Through the edit field itself, as typing: undoable, and announced with the box's edit notifications.
    void ReplaceEditSel(const std::string& text) const;
    void LimitText(int characters) const { Send(CB_LIMITTEXT, static_cast<WPARAM>(characters)); }
};

class ListBox : public Window {
public:
    using Window::Window;

    int Count() const { return static_cast<int>(Send(LB_GETCOUNT)); }
    std::string ItemText(int index) const;
    int AddString(const std::string& text) const;
    int DeleteString(int index) const { return static_cast<int>(Send(LB_DELETESTRING, static_cast<WPARAM>(index))); }
    void ResetContent() const { Send(LB_RESETCONTENT); }
    int CurSel() const { return static_cast<int>(Send(LB_GETCURSEL)); }
    int SetCurSel(int index) const { return static_cast<int>(Send(LB_SETCURSEL, static_cast<WPARAM>(index))); }
    LRESULT ItemData(int index) const { return Send(LB_GETITEMDATA, static_cast<WPARAM>(index)); }
    void SetItemData(int index, LRESULT data) const { Send(LB_SETITEMDATA, static_cast<WPARAM>(index), data); }
    // Every line, in order.
    std::vector<std::string> Items() const;
};

// A control with behaviour of its own: it sees its own notifications before the dialog does,
// and keyboard messages for itself or its children before they are dispatched.
class ControlObject : public Window {
public:
    ControlObject() = default;
    virtual ~ControlObject();
    ControlObject(const ControlObject&) = delete;
    ControlObject& operator=(const ControlObject&) = delete;

    void Attach(HWND handle);
    void Detach();

    // Its own WM_COMMAND notification, reflected back to it; true keeps it from the dialog.
    virtual bool OnReflectedCommand(UINT /*code*/) { return false; }
    // A message about to go to this control or one of its children; true swallows it.
    virtual bool PreTranslateMessage(MSG& /*message*/) { return false; }

    // The attached object of a window, if any.
    static ControlObject* FromHandle(HWND handle);
};

// Another program's window to the front, restored when minimised; nothing here waits on that window, which
// may hang.
void BringWindowForward(HWND window);
