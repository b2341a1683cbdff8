// The framework room: what any Win32 program could use: windows, dialogs, controls, registry, profile, files, threads.
//
// A dialog on a numbered template, run modally, with handlers bound to commands and messages.
#pragma once

#include "framework/Controls.h"
#include "framework/DataExchange.h"

#include <windows.h>

#include <functional>
#include <map>
#include <type_traits>
#include <utility>
#include <vector>

// A window message as a handler sees it; a handler that claims the message may set the result.
struct Message {
    UINT id;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result = 0;
};

class Dialog {
public:
    // Without a parent the dialog is owned by the application's main window, when there is one.
    explicit Dialog(UINT templateId, HWND parent = nullptr);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Shows the dialog and returns when it has ended: IDOK, IDCANCEL, another end code, or -1 when the
    // template could not be made into a window.
    INT_PTR DoModal();
    void EndDialog(INT_PTR result);

    HWND Handle() const { return handle_; }
    UINT TemplateId() const { return templateId_; }

    // Runs the data exchange; false when a value could not be taken from its control.
    bool UpdateData(bool saving);

    template <typename Control = Window>
    Control Item(int id) const
    {
        return Control(GetDlgItem(handle_, id));
    }

protected:
    // Called when the controls exist, before the dialog is first shown. The default fills the controls from
    // the fields; TRUE puts the focus on the first tab stop.
    virtual BOOL OnInitDialog();
    // OK (Enter): fields from the controls, then the dialog ends with IDOK.
    virtual void OnOK();
    // Cancel (Escape, the close box): the dialog ends with IDCANCEL.
    virtual void OnCancel();
    virtual void DoDataExchange(DataExchange& /*dx*/) {}
    // Messages on their way to the dialog or its controls, before dispatch; true swallows one.
    virtual bool PreTranslateMessage(MSG& /*message*/) { return false; }

    // The binding table, filled in the subclass constructor.
    // A click on a button, or a menu or accelerator command.
    void OnCommand(int id, std::function<void()> handler);
    // A control's notification (WM_COMMAND or WM_NOTIFY) with its code.
    void OnNotify(int id, UINT code, std::function<void()> handler);
    // Any other window message; the handler returns true when it handled the message.
    void OnMessage(UINT message, std::function<bool(Message&)> handler);
    // The same with a named member function of an object that lives as long as the dialog: the dialog itself
    // or one of its parts. Each kind of handler then takes one small adapter, not one for every line of the
    // table. A message handler may leave out the message.
    template <typename Object, typename Member>
    void OnCommand(int id, Object& object, Member member)
    {
        OnCommand(id, [&object, member] { (object.*member)(); });
    }
    template <typename Object, typename Member>
    void OnNotify(int id, UINT code, Object& object, Member member)
    {
        OnNotify(id, code, [&object, member] { (object.*member)(); });
    }
    template <typename Object, typename Member>
    void OnMessage(UINT message, Object& object, Member member)
    {
        OnMessage(message, [&object, member](Message& m) {
            if constexpr (std::is_invocable_v<Member, Object&, Message&>)
                return (object.*member)(m);
            else
                return (object.*member)();
        });
    }

private:
    static INT_PTR CALLBACK Procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool RouteCommand(WPARAM wParam, LPARAM lParam);
    bool RouteNotify(const NMHDR& header);
    INT_PTR Answer(UINT message, LRESULT result);
    void RunModalLoop();
    bool PreTranslate(MSG& message);
    HWND Owner() const;
    void ReleaseOwner();
    void DetachControls();

    UINT templateId_;
    HWND parent_;
    HWND handle_ = nullptr;
    HWND owner_ = nullptr;
    bool ownerDisabled_ = false;
    bool ended_ = false;
    INT_PTR result_ = IDCANCEL;
    std::map<int, std::function<void()>> commands_;
    std::map<std::pair<int, UINT>, std::function<void()>> notifications_;
    std::map<UINT, std::function<bool(Message&)>> messages_;
    std::vector<ControlObject*> boundControls_;
};
