// What deciding whether a path leads to the network asks of the file system; none of it waits on a share.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

class PathProbe {
public:
    virtual ~PathProbe() = default;
    // "N:\": a drive the system maps to a share.
    virtual bool IsRemoteDrive(const std::string& root) = 0;
    // Where a junction or symbolic link at this path leads, as the link stores it ("\??\UNC\server\share",
    // "\??\D:\data", "..\other"); nothing when the path is no link.
    virtual std::optional<std::string> LinkTarget(const std::string& path) = 0;
};

// The substitute name in a reparse point's data (REPARSE_DATA_BUFFER) of a junction or a symbolic link, as
// the data holds it (UTF-16); nothing for another kind of reparse point or data that does not hold together.
std::optional<std::u16string> ReparseTarget(const unsigned char* data, std::size_t size);
