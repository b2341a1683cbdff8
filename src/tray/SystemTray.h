// The tray room: the notification-area icon.
//
// The notification-area icon: a hidden window of its own receives the icon's mouse messages and turns
// them into commands for the main window (a pop-up menu on right click, the default item on double click).
#pragma once

#include "framework/Handles.h"
#include "framework/MessageDelivery.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

class CSystemTray {
public:
    CSystemTray() = default;
    // Removes the icon and the hidden window.
    virtual ~CSystemTray();
    CSystemTray(const CSystemTray&) = delete;
    CSystemTray& operator=(const CSystemTray&) = delete;

    // Adds the icon; its id also names the pop-up menu resource. Without an owner, the notifications go to
    // the object's own hidden window. True when the icon is in the notification area. When the shell
    // refuses it (a taskbar not ready yet, at logon), it is tried again when the taskbar announces itself
    // and every few seconds until it is there.
    bool AddIcon(HWND owner, UINT callbackMessage, const std::string& tip, HICON icon, UINT id);
    void DeleteIcon();
    bool ChangeIcon(HICON icon);
    // The pop-up menu's default item, by position or by command id.
    bool SetDefaultMenuItem(UINT item, bool byPosition);

    // What the icon calls are made with: the shell's own, or a stand-in that a test makes fail.
    using NotifyFunction = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
    void SetNotifyFunction(NotifyFunction notify) { notify_ = notify; }
    // How the hidden window asks to hear a restarted taskbar; set before the icon is first added.
    void SetDelivery(MessageDelivery& delivery) { delivery_ = &delivery; }

    bool IconAdded() const { return iconAdded_; }
    const NOTIFYICONDATAA& NotifyData() const { return notifyData_; }
    HWND HiddenWindow() const { return window_.Get(); }

protected:
    // The icon's mouse message (low word of lParam) for icon id wParam; 0 when nothing was done.
    virtual LRESULT OnIconNotify(WPARAM iconId, LPARAM mouseMessage);

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateHiddenWindow();
    bool TryAdd();

    NotifyFunction notify_ = Shell_NotifyIconA;
    MessageDelivery* delivery_ = &SystemDelivery();
    bool iconAdded_ = false;
    bool iconWanted_ = false;  // asked for and not deleted since: added again whenever the shell forgot it
    NOTIFYICONDATAA notifyData_ = {};
    WindowHandle window_;
    UINT defaultItem_ = 0;
    bool defaultByPosition_ = true;
};
