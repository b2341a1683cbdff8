// The main window's place on the screen, stored in the profile's "Window" section in workspace coordinates
// (see WindowPlacement.h).
#pragma once

#include "framework/Geometry.h"
#include "framework/ProfileStore.h"

#include <windows.h>

// Shown at the stored place when that is on a screen; moved onto the nearest one, or left centred.
void MoveToStoredPlace(HWND window, ScreenPoint stored);
// Where the window stands when not minimised or maximised.
void StorePlace(HWND window, ProfileStore& profile);
