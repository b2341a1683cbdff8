#include "text/NetworkPath.h"

#include "text/CommandText.h"

namespace {

constexpr int kMostLinks = 16;  // followed in a row; a loop of links ends here

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::string(prefix).size(), prefix) == 0;
}

// A link's stored target in the form of a path: "\??\UNC\server\share" is "\\server\share", "\??\D:\data" is
// "D:\data". A relative target is relative to the link's folder.
std::string TargetPath(const std::string& target, const std::string& link)
{
    for (const char* prefix : {"\\??\\UNC\\", "\\\\?\\UNC\\"}) {
        if (StartsWith(target, prefix))
            return "\\\\" + target.substr(std::string(prefix).size());
    }
    for (const char* prefix : {"\\??\\", "\\\\?\\"}) {
        if (StartsWith(target, prefix))
            return target.substr(std::string(prefix).size());
    }
    if (IsUncPath(target) || !DriveRootOf(target).empty())
        return target;
    const std::string folder = FolderOf(link);
    return folder + (folder.back() == '\\' ? "" : "\\") + target;
}

bool LeadsToNetwork(const std::string& path, PathProbe& probe, int linksFollowed)
{
    if (IsUncPath(path))
        return true;
    const std::string root = DriveRootOf(path);
    if (root.empty())
        return false;
    if (probe.IsRemoteDrive(root))
        return true;
    if (linksFollowed == kMostLinks)
        return false;
    // Each folder on the way, and the path itself, may be a link.
    for (size_t end = root.size(); end < path.size();) {
        size_t next = path.find('\\', end);
        if (next == std::string::npos)
            next = path.size();
        if (next > end) {
            const std::string part = path.substr(0, next);
            if (const auto target = probe.LinkTarget(part))
                return LeadsToNetwork(TargetPath(*target, part) + path.substr(next), probe, linksFollowed + 1);
        }
        end = next + 1;
    }
    return false;
}

}  // namespace

bool IsNetworkPath(const std::string& path, PathProbe& probe)
{
    return LeadsToNetwork(path, probe, 0);
}
