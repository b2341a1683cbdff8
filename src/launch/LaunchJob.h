// One launch from the text to the shell's answer: the split, the references, the working directory and the
// open. It runs where the window says: on the window's thread, or on a worker for a network text, since
// every step of it may wait on the network. And what the control rules ask of a text before any launch.
#pragma once

#include "launch/LauncherWindow.h"

LaunchResult PerformLaunch(const LaunchRequest& request, LaunchSystem& system);
// What a launch that could not be made at all answers: the system's internal error.
LaunchResult FailedLaunch(const LaunchRequest& request);

// Whether any step of launching the text may wait on the network: the program the split may take, looked at
// without a search (a shortcut typed with its arguments among them), a network path or a shortcut to one, or
// a name whose App Paths program is on the network.
bool LaunchMayWaitOnNetwork(const std::string& text, LaunchSystem& system);
// Whether looking at the examined text may wait on the network: a network path, or a shortcut to one.
bool MayWaitOnNetwork(const std::string& examined, LaunchSystem& system);
// Whether the examined text names an existing file or folder. A shortcut counts when its target exists: that
// is what "Add to my path" enters.
bool NamesExistingEntry(const std::string& examined, LaunchSystem& system);
