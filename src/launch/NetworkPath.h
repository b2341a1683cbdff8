// Whether finding a path may wait on the network, so that the window leaves it to a worker.
#pragma once

#include <optional>
#include <string>

// What the decision asks of the system, none of which waits on the network.
class PathProbe {
public:
    virtual ~PathProbe() = default;
    // "N:\": a drive the system maps to a share.
    virtual bool IsRemoteDrive(const std::string& root) = 0;
    // Where a junction or symbolic link at this path leads, as the link stores it ("\??\UNC\server\share",
    // "\??\D:\data", "..\other"); nothing when the path is no link.
    virtual std::optional<std::string> LinkTarget(const std::string& path) = 0;
};

// A UNC path, a path on a remote drive, or a local path that leads to one through a junction or a symbolic
// link in any of its folders. A relative path is searched for locally.
bool IsNetworkPath(const std::string& path, PathProbe& probe);
