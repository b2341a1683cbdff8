// The main window's place on the screen, stored in the profile's "Window" section.
#pragma once

#include "framework/ProfileStore.h"

#include <windows.h>

// At the stored place when that is on a screen; moved onto the nearest one, or left centred.
void MoveToStoredPlace(HWND window, int left, int top);
// Where the window stands when not minimised or maximised.
void StorePlace(HWND window, ProfileStore& profile);
