// One launch from the text to the shell's answer: the split, the references, the working directory and the
// open. It runs where the window says: on the window's thread, or on a worker for a network text, since
// every step of it may wait on the network. And what the control rules ask of a text before any launch.
#pragma once

#include "launch/LauncherWindow.h"

LaunchResult PerformLaunch(const LaunchRequest& request, LaunchSystem& system);

// Whether looking at the examined text may wait on the network: a network path, or a shortcut to one.
bool MayWaitOnNetwork(const std::string& examined, LaunchSystem& system);
// Whether the examined text names an existing file or folder. A shortcut counts when its target exists: that
// is what "Add to my path" enters.
bool NamesExistingEntry(const std::string& examined, LaunchSystem& system);
