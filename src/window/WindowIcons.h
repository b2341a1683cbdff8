// Velquin's own pictures for the main window: the title bar's, the task bar's and the tray's, drawn for the
// window's dots per inch.
#pragma once

#include "framework/Handles.h"
#include "tray/SystemTray.h"

class WindowIcons {
public:
    void Scale(HWND window, int dpi, CSystemTray& tray);
    // The small icon in the notification area when the user wants it there, with the tray menu. A shell that
    // refuses it now (the taskbar not ready at logon) gets it when it is ready; until then putting the window
    // away minimises it, so it is never out of reach.
    void PutInTray(CSystemTray& tray, bool wanted, UINT message) const;
    HICON Small() const { return small_.Get(); }

private:
    UniqueHandle<IconTraits> small_;
    UniqueHandle<IconTraits> large_;
};
