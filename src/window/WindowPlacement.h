// Where the main window reopens: at its stored place when that is on a screen, moved onto the nearest
// screen when only partly on one, centred when on none (a monitor since disconnected, a hand-edited profile).
#pragma once

#include "framework/Geometry.h"

#include <optional>
#include <vector>

// The top-left corner for a window of the given size stored at `stored`, given the work areas of the
// monitors; none when it should open centred.
std::optional<ScreenPoint> PlaceOnScreen(ScreenPoint stored, long long width, long long height,
                                         const std::vector<ScreenRect>& workAreas);
