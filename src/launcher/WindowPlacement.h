// Where the main window reopens: at its stored place when that is on a screen, moved onto the nearest
// screen when only partly on one, centred when on none (a monitor since disconnected, a hand-edited profile).
#pragma once

#include <optional>
#include <vector>

struct ScreenRect {
    long long left = 0;
    long long top = 0;
    long long right = 0;
    long long bottom = 0;
};

struct ScreenPoint {
    long long x = 0;
    long long y = 0;
};

// The top-left corner for a window of the given size stored at `stored`, given the work areas of the
// monitors; none when it should open centred.
std::optional<ScreenPoint> PlaceOnScreen(ScreenPoint stored, long long width, long long height,
                                         const std::vector<ScreenRect>& workAreas);
