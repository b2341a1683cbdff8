// Where the main window reopens: at its stored place when that is on a screen, moved onto the nearest
// screen when only partly on one, centred when on none (a monitor since disconnected, a hand-edited profile).
//
// The place is kept as the window's placement gives it (GetWindowPlacement, SetWindowPlacement), in workspace
// coordinates: a monitor's work area begins at the monitor's own top-left corner, whatever bars are docked
// at its top or left. Profiles written by every earlier copy hold such places.
#pragma once

#include "framework/Geometry.h"
#include "framework/ProfileStore.h"

#include <optional>
#include <vector>

// One monitor in screen coordinates: all of it, and its work area (without the taskbar and other docked bars).
struct MonitorArea {
    ScreenRect whole;
    ScreenRect work;
};

// The monitor's work area in workspace coordinates.
ScreenRect WorkspaceArea(const MonitorArea& monitor);

// The top-left corner for a window of the given size stored at `stored`, given the monitors; none when it
// should open centred. Both corners are in workspace coordinates.
std::optional<ScreenPoint> PlaceOnScreen(ScreenPoint stored, long long width, long long height,
                                         const std::vector<MonitorArea>& monitors);

// The place the profile holds; none when a value is missing. A 0 is a place: flush with the work area's edge.
std::optional<ScreenPoint> StoredPlace(const ProfileStore& profile);
