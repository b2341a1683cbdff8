#include "framework/FileFinder.h"

#include "framework/Handles.h"
#include "framework/Unicode.h"

bool FindFirstMatch(const std::string& pattern, std::string* fullPath)
{
    const WideString widePattern = Wide(pattern);
    WIN32_FIND_DATAW found = {};
    FindHandle search(FindFirstFileW(widePattern.c_str(), &found));
    if (!search)
        return false;

    if (fullPath) {
        // The match lies in the folder of the pattern's full form.
        wchar_t full[MAX_PATH] = {};
        wchar_t* namePart = nullptr;
        const DWORD length = GetFullPathNameW(widePattern.c_str(), MAX_PATH, full, &namePart);
        std::string folder = length > 0 && length < MAX_PATH ? Utf8(full) : pattern;
        const size_t slash = folder.find_last_of("\\/");
        folder = slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
        *fullPath = folder + Utf8(found.cFileName);
    }
    return true;
}
