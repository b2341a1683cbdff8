#include "window/ScreenPlace.h"

#include "settings/ProfileLayout.h"
#include "window/WindowPlacement.h"

#include <vector>

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM monitors)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoA(monitor, &info)) {
        const RECT& whole = info.rcMonitor;
        const RECT& work = info.rcWork;
        reinterpret_cast<std::vector<MonitorArea>*>(monitors)->push_back(
            {{whole.left, whole.top, whole.right, whole.bottom}, {work.left, work.top, work.right, work.bottom}});
    }
    return TRUE;
}

std::vector<MonitorArea> Monitors()
{
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

}  // namespace

// The placement's own coordinates on both sides: SetWindowPos would take the stored place as screen
// coordinates, and the window would creep by the taskbar's height at every start.
void MoveToStoredPlace(HWND window, ScreenPoint stored)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(window, &placement))
        return;
    RECT& normal = placement.rcNormalPosition;
    const long width = normal.right - normal.left, height = normal.bottom - normal.top;
    const auto place = PlaceOnScreen(stored, width, height, Monitors());
    if (!place)  // on no screen at all, it stays centred
        return;
    normal.left = static_cast<LONG>(place->x);
    normal.top = static_cast<LONG>(place->y);
    normal.right = normal.left + width;
    normal.bottom = normal.top + height;
    placement.flags = 0;
    placement.showCmd = SW_SHOWNORMAL;
    SetWindowPlacement(window, &placement);
}

void StorePlace(HWND window, ProfileStore& profile)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    const ProfileBatch batch(profile);
    profile.WriteInt(profile::kWindow, profile::kLeft, placement.rcNormalPosition.left);
    profile.WriteInt(profile::kWindow, profile::kTop, placement.rcNormalPosition.top);
}
