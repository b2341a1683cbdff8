// The floor for Velquin's start-up: the same main window template, shown by the system's own modal
// dialog with nothing behind it. Built a second time with BARE_TRAY_ICON, it also puts an icon in the
// notification area before the window shows, as Velquin does: the floor with the shell's part included.
#include "res/resource.h"

#include <windows.h>

#ifdef BARE_TRAY_ICON
#include <shellapi.h>
#endif

namespace {

#ifdef BARE_TRAY_ICON
NOTIFYICONDATAA g_icon = {};
#endif

INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
#ifdef BARE_TRAY_ICON
        g_icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
        g_icon.hWnd = window;
        g_icon.uID = 1;
        g_icon.uFlags = NIF_ICON | NIF_TIP;
        g_icon.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_VELQUIN_SMALL));
        lstrcpyA(g_icon.szTip, "bare");
        Shell_NotifyIconA(NIM_ADD, &g_icon);
#endif
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK)) {
#ifdef BARE_TRAY_ICON
        Shell_NotifyIconA(NIM_DELETE, &g_icon);
#endif
        EndDialog(window, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_VELQUIN_DIALOG), nullptr, Procedure, 0);
    return 0;
}
