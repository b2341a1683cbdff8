#include "window/ScreenPlace.h"

#include "settings/ProfileLayout.h"
#include "window/WindowPlacement.h"

#include <vector>

namespace {

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoA(monitor, &info)) {
        const RECT& work = info.rcWork;
        reinterpret_cast<std::vector<ScreenRect>*>(areas)->push_back({work.left, work.top, work.right, work.bottom});
    }
    return TRUE;
}

std::vector<ScreenRect> MonitorWorkAreas()
{
    std::vector<ScreenRect> areas;
    EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

}  // namespace

void MoveToStoredPlace(HWND window, int left, int top)
{
    RECT frame = {};
    GetWindowRect(window, &frame);
    const auto place =
        PlaceOnScreen({left, top}, frame.right - frame.left, frame.bottom - frame.top, MonitorWorkAreas());
    if (place)  // on no screen at all, it stays centred
        SetWindowPos(window, nullptr, static_cast<int>(place->x), static_cast<int>(place->y), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
}

void StorePlace(HWND window, ProfileStore& profile)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    profile.WriteInt(profile::kWindow, profile::kLeft, placement.rcNormalPosition.left);
    profile.WriteInt(profile::kWindow, profile::kTop, placement.rcNormalPosition.top);
}
