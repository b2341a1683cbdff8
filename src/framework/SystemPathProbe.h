// The file system as the network decision sees it: drive types and the links on the way.
#pragma once

#include "framework/PathProbe.h"

class SystemPathProbe : public PathProbe {
public:
    bool IsRemoteDrive(const std::string& root) override;
    std::optional<std::string> LinkTarget(const std::string& path) override;
};
