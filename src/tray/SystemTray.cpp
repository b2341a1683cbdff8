#include "tray/SystemTray.h"

#include "framework/App.h"
#include "framework/Trace.h"

namespace {

constexpr const char* kWindowClass = "VelquinTrayWindow";
constexpr UINT_PTR kRetryTimer = 1;
constexpr UINT kRetryMilliseconds = 2000;

// Sent to every top-level window when the notification area has (re)started.
UINT TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

HWND Target()
{
    return App::Exists() ? App::Current().MainWindow() : nullptr;
}

MenuHandle LoadTrayMenu(UINT id)
{
    return MenuHandle(LoadMenuA(App::Instance(), MAKEINTRESOURCEA(id)));
}

}  // namespace

CSystemTray::~CSystemTray()
{
    DeleteIcon();
    if (window_)
        SetWindowLongPtrA(window_.Get(), GWLP_USERDATA, 0);
}

void CSystemTray::CreateHiddenWindow()
{
    if (window_)
        return;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = App::Instance();
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
    window_.Reset(CreateWindowExA(0, kWindowClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, App::Instance(),
                                  nullptr));
    if (!window_)
        return;
    SetWindowLongPtrA(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // A restarted Explorer runs at medium integrity: run as administrator, the icon would not come back.
    delivery_->AllowFromLowerIntegrity(window_.Get(), TaskbarCreatedMessage());
}

bool CSystemTray::AddIcon(HWND owner, UINT callbackMessage, const std::string& tip, HICON icon, UINT id)
{
    if (LOBYTE(LOWORD(GetVersion())) < 4) {
        iconAdded_ = false;
        return false;
    }
    CreateHiddenWindow();

    notifyData_ = {};
    // The first form of the structure, which every shell understands: 88 bytes in the 32-bit build, 104 in
    // the 64-bit one.
    notifyData_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    notifyData_.hWnd = owner ? owner : window_.Get();
    notifyData_.uID = id;
    notifyData_.hIcon = icon;
    notifyData_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    notifyData_.uCallbackMessage = callbackMessage;
    tip.copy(notifyData_.szTip, 63);

    iconWanted_ = true;
    if (!TryAdd())
        Trace("CSystemTray -- the shell refused the icon; trying again when the taskbar is there.\n");
    return iconAdded_;
}

bool CSystemTray::TryAdd()
{
    NOTIFYICONDATAA add = notifyData_;
    add.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    // An icon still there (a restart announced without the shell having forgotten it) refuses the add.
    iconAdded_ = notify_(NIM_ADD, &add) != FALSE || notify_(NIM_MODIFY, &add) != FALSE;
    // Refused, at the first add or after the taskbar restarted: tried again every few seconds until it is there.
    if (window_ && iconAdded_)
        KillTimer(window_.Get(), kRetryTimer);
    else if (window_)
        SetTimer(window_.Get(), kRetryTimer, kRetryMilliseconds, nullptr);
    return iconAdded_;
}

void CSystemTray::DeleteIcon()
{
    iconWanted_ = false;
    if (window_)
        KillTimer(window_.Get(), kRetryTimer);
    if (!iconAdded_)
        return;
    notifyData_.uFlags = 0;
    notify_(NIM_DELETE, &notifyData_);
    iconAdded_ = false;
}

bool CSystemTray::ChangeIcon(HICON icon)
{
    notifyData_.hIcon = icon;  // also the icon a later add shows
    if (!iconAdded_)
        return false;
    notifyData_.uFlags = NIF_ICON;
    return notify_(NIM_MODIFY, &notifyData_) != FALSE;
}

bool CSystemTray::SetDefaultMenuItem(UINT item, bool byPosition)
{
    if (item == defaultItem_ && byPosition == defaultByPosition_)
        return true;
    defaultItem_ = item;
    defaultByPosition_ = byPosition;

    const MenuHandle menu = LoadTrayMenu(notifyData_.uID);
    HMENU popup = menu ? GetSubMenu(menu.Get(), 0) : nullptr;
    if (!popup)
        return false;
    SetMenuDefaultItem(popup, defaultItem_, defaultByPosition_);
    return true;
}

LRESULT CALLBACK CSystemTray::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CSystemTray*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        Trace("Velquin -- exception in the tray icon's window\n");
        return 0;
    }
}

LRESULT CSystemTray::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == notifyData_.uCallbackMessage && message != 0)
        return OnIconNotify(wParam, lParam);
    // The notification area (re)started: put the icon (back) there, or the window may be unreachable.
    if ((message == TaskbarCreatedMessage() || (message == WM_TIMER && wParam == kRetryTimer)) && iconWanted_) {
        TryAdd();
        return 0;
    }
    return DefWindowProcA(window_.Get(), message, wParam, lParam);
}

LRESULT CSystemTray::OnIconNotify(WPARAM iconId, LPARAM mouseMessage)
{
    if (iconId != notifyData_.uID)
        return 0;
    switch (LOWORD(mouseMessage)) {
    case WM_RBUTTONUP: {
        const MenuHandle menu = LoadTrayMenu(notifyData_.uID);
        HMENU popup = menu ? GetSubMenu(menu.Get(), 0) : nullptr;
        if (!popup)
            return 0;
        SetMenuDefaultItem(popup, defaultItem_, defaultByPosition_);
        POINT cursor = {};
        GetCursorPos(&cursor);
        const HWND target = Target();
        SetForegroundWindow(target);
        TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, target, nullptr);
        PostMessageA(target, WM_NULL, 0, 0);  // lets the menu close when the user clicks elsewhere
        return 1;
    }
    case WM_LBUTTONDBLCLK: {
        const HWND target = Target();
        SetForegroundWindow(target);
        UINT command = defaultItem_;
        if (defaultByPosition_) {
            const MenuHandle menu = LoadTrayMenu(notifyData_.uID);
            HMENU popup = menu ? GetSubMenu(menu.Get(), 0) : nullptr;
            if (!popup)
                return 0;
            command = GetMenuItemID(popup, static_cast<int>(defaultItem_));
        }
        SendMessageA(target, WM_COMMAND, command, 0);
        return 1;
    }
    default:
        return 1;
    }
}
