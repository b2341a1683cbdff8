#include "find/SearchRule.h"

int SearchList(const std::vector<std::string>& items, const std::string& text, int start, SameTextRule same)
{
    const int count = static_cast<int>(items.size());
    if (start < 0 || start >= count)
        start = count - 1;  // so the search begins at the first item and ends with the last
    for (int step = 1; step <= count; ++step) {
        const int index = (start + step) % count;
        if (StartsWithText(items[static_cast<size_t>(index)], text, same))
            return index;
    }
    return -1;
}
