#include "framework/Dialog.h"

#include "framework/App.h"
#include "framework/Trace.h"

#include <algorithm>
#include <exception>

Dialog::Dialog(UINT templateId, HWND parent) : templateId_(templateId), parent_(parent) {}

Dialog::~Dialog()
{
    if (handle_)
        DestroyWindow(handle_);
}

void Dialog::OnCommand(int id, std::function<void()> handler)
{
    commands_[id] = std::move(handler);
}

void Dialog::OnNotify(int id, UINT code, std::function<void()> handler)
{
    notifications_[{id, code}] = std::move(handler);
}

void Dialog::OnMessage(UINT message, std::function<bool(Message&)> handler)
{
    messages_[message] = std::move(handler);
}

HWND Dialog::Owner() const
{
    if (parent_)
        return parent_;
    const HWND main = App::Exists() ? App::Current().MainWindow() : nullptr;
    return main && main != handle_ && IsWindow(main) ? main : nullptr;
}

INT_PTR Dialog::DoModal()
{
    owner_ = Owner();
    ownerDisabled_ = owner_ && IsWindowEnabled(owner_);
    if (ownerDisabled_)
        EnableWindow(owner_, FALSE);

    ended_ = false;
    result_ = IDCANCEL;
    const HWND created = CreateDialogParamW(App::Instance(), MAKEINTRESOURCEW(templateId_), owner_, Procedure,
                                            reinterpret_cast<LPARAM>(this));
    if (created) {
        // A template without WS_VISIBLE is shown now; one that made itself visible (or minimised) stays so.
        if (!ended_ && !(GetWindowLongW(created, GWL_STYLE) & WS_VISIBLE))
            ShowWindow(created, SW_SHOWNORMAL);
        RunModalLoop();
    }

    ReleaseOwner();
    if (handle_)
        DestroyWindow(handle_);
    return created ? result_ : -1;
}

void Dialog::ReleaseOwner()
{
    // The owner gets the activation back before this window goes, so no other program comes forward.
    if (ownerDisabled_) {
        EnableWindow(owner_, TRUE);
        ownerDisabled_ = false;
    }
    if (owner_ && handle_ && GetActiveWindow() == handle_)
        SetActiveWindow(owner_);
}

void Dialog::EndDialog(INT_PTR result)
{
    result_ = result;
    ended_ = true;
    if (handle_) {
        ReleaseOwner();
        ShowWindow(handle_, SW_HIDE);
        PostMessageW(handle_, WM_NULL, 0, 0);  // wakes the modal loop
    }
}

void Dialog::RunModalLoop()
{
    while (!ended_) {
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // WM_QUIT ends every modal loop on its way out.
            if (got == 0)
                PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (PreTranslate(message))
            continue;
        if (handle_ && IsDialogMessageW(handle_, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool Dialog::PreTranslate(MSG& message)
{
    // The window the message is for, and its parents up to this dialog, each get a look.
    for (HWND window = message.hwnd; window && window != handle_; window = GetParent(window)) {
        if (ControlObject* control = ControlObject::FromHandle(window)) {
            if (control->PreTranslateMessage(message))
                return true;
        }
    }
    if (message.hwnd == handle_ || IsChild(handle_, message.hwnd))
        return PreTranslateMessage(message);
    return false;
}

bool Dialog::UpdateData(bool saving)
{
    DataExchange dx(handle_, saving);
    DoDataExchange(dx);
    for (ControlObject* control : dx.BoundControls()) {
        if (std::find(boundControls_.begin(), boundControls_.end(), control) == boundControls_.end())
            boundControls_.push_back(control);
    }
    return !dx.Failed();
}

void Dialog::DetachControls()
{
    for (ControlObject* control : boundControls_)
        control->Detach();
    boundControls_.clear();
}

BOOL Dialog::OnInitDialog()
{
    UpdateData(false);
    return TRUE;
}

void Dialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void Dialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

INT_PTR CALLBACK Dialog::Procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrW(handle, DWLP_USER, lParam);
        self->handle_ = handle;
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(handle, DWLP_USER));
    }
    if (!self)
        return FALSE;

    // No exception may unwind through the system's code: the command that raised it just ends here.
    try {
        const INT_PTR answer = self->HandleMessage(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            self->DetachControls();
            self->handle_ = nullptr;
            SetWindowLongPtrW(handle, DWLP_USER, 0);
        }
        return answer;
    } catch (const std::exception& e) {
        Trace(std::string("Velquin -- exception in a window message: ") + e.what() + "\n");
    } catch (...) {
        Trace("Velquin -- unknown exception in a window message\n");
    }
    return FALSE;
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        if (RouteCommand(wParam, lParam))
            return TRUE;
        break;
    case WM_NOTIFY:
        if (RouteNotify(*reinterpret_cast<const NMHDR*>(lParam)))
            return TRUE;
        break;
    default:
        break;
    }

    auto handler = messages_.find(message);
    if (handler != messages_.end()) {
        Message m{message, wParam, lParam};
        if (handler->second(m))
            return Answer(message, m.result);
    }
    return FALSE;
}

INT_PTR Dialog::Answer(UINT message, LRESULT result)
{
    // These few messages take their answer as the procedure's return value; the rest through DWLP_MSGRESULT.
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return static_cast<INT_PTR>(result);
    default:
        SetWindowLongPtrW(handle_, DWLP_MSGRESULT, result);
        return TRUE;
    }
}

bool Dialog::RouteCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    const HWND control = reinterpret_cast<HWND>(lParam);

    if (control) {
        if (ControlObject* object = ControlObject::FromHandle(control)) {
            if (object->OnReflectedCommand(code))
                return true;
        }
    }

    // Menus and accelerators carry no control; a control's click is BN_CLICKED. Everything else is a notification.
    const bool isCommand = !control || code == BN_CLICKED;
    if (isCommand) {
        auto handler = commands_.find(id);
        if (handler != commands_.end()) {
            handler->second();
            return true;
        }
        if (id == IDOK) {
            OnOK();
            return true;
        }
        if (id == IDCANCEL) {
            OnCancel();
            return true;
        }
        return false;
    }

    auto handler = notifications_.find({id, code});
    if (handler == notifications_.end())
        return false;
    handler->second();
    return true;
}

bool Dialog::RouteNotify(const NMHDR& header)
{
    auto handler = notifications_.find({static_cast<int>(header.idFrom), header.code});
    if (handler == notifications_.end())
        return false;
    handler->second();
    return true;
}
