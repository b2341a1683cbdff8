#include "framework/FileFinder.h"

#include "framework/Handles.h"

bool FindFirstMatch(const std::string& pattern, std::string* fullPath)
{
    WIN32_FIND_DATAA found = {};
    FindHandle search(FindFirstFileA(pattern.c_str(), &found));
    if (!search)
        return false;

    if (fullPath) {
        // The match lies in the folder of the pattern's full form.
        char full[MAX_PATH] = {};
        char* namePart = nullptr;
        const DWORD length = GetFullPathNameA(pattern.c_str(), MAX_PATH, full, &namePart);
        std::string folder = length > 0 && length < MAX_PATH ? std::string(full) : pattern;
        const size_t slash = folder.find_last_of("\\/");
        folder = slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
        *fullPath = folder + found.cFileName;
    }
    return true;
}
