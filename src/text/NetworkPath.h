// Whether finding a path may wait on the network, so that the window leaves it to a worker.
#pragma once

#include "framework/PathProbe.h"

#include <string>

// A UNC path, a path on a remote drive, or a local path that leads to one through a junction or a symbolic
// link in any of its folders. A relative path is searched for locally.
bool IsNetworkPath(const std::string& path, PathProbe& probe);
