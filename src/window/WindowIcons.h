// Velquin's own pictures for the main window: the title bar's, the task bar's and the tray's, drawn for the
// window's dots per inch.
#pragma once

#include "framework/Handles.h"
#include "tray/SystemTray.h"

class WindowIcons {
public:
    void Scale(HWND window, int dpi, CSystemTray& tray);
    HICON Small() const { return small_.Get(); }

private:
    UniqueHandle<IconTraits> small_;
    UniqueHandle<IconTraits> large_;
};
