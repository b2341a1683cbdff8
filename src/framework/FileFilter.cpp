#include "framework/FileFilter.h"

#include <algorithm>

std::string FilterFromBars(const std::string& filter)
{
    std::string zeros = filter;
    std::replace(zeros.begin(), zeros.end(), '|', '\0');
    return zeros;
}
