#include "window/WindowIcons.h"

#include "framework/App.h"
#include "res/resource.h"

namespace {

// Not shared: a shared icon comes in the size it was first loaded at, whatever size is asked for.
HICON LoadAppIcon(UINT id, int size)
{
    return static_cast<HICON>(LoadImageA(App::Instance(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
}

}  // namespace

void WindowIcons::Scale(HWND window, int dpi, CSystemTray& tray)
{
    UniqueHandle<IconTraits> small(LoadAppIcon(IDI_VELQUIN_SMALL, MulDiv(16, dpi, 96)));
    UniqueHandle<IconTraits> large(LoadAppIcon(IDI_VELQUIN, MulDiv(32, dpi, 96)));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.Get()));
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large.Get()));
    tray.ChangeIcon(small.Get());
    small_ = std::move(small);  // the earlier ones go only now that nothing shows them
    large_ = std::move(large);
}

void WindowIcons::PutInTray(CSystemTray& tray, bool wanted, UINT message) const
{
    if (wanted)
        tray.AddIcon(nullptr, message, "Velquin", small_.Get(), IDR_TRAY_MENU);
    tray.SetDefaultMenuItem(0, true);
}
