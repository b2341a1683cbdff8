// One launch from the text to the shell's answer: the split, the references, the working directory and the
// open. It runs where the window says: on the window's thread, or on a worker for a network text, since
// every step of it may wait on the network.
#pragma once

#include "launcher/LauncherWindow.h"

LaunchResult PerformLaunch(const LaunchRequest& request, LaunchSystem& system);
