// Whether a path or pattern matches a file or folder, and where the first match is.
#pragma once

#include <string>

// True when at least one file or folder matches; fullPath (when given) receives the first match's full path.
bool FindFirstMatch(const std::string& pattern, std::string* fullPath = nullptr);
