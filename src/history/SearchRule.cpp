#include "history/SearchRule.h"

#include "framework/Text.h"

int SearchList(const std::vector<std::string>& items, const std::string& text, int start)
{
    const int count = static_cast<int>(items.size());
    if (start < 0 || start >= count)
        start = count - 1;  // so the search begins at the first item and ends with the last
    for (int step = 1; step <= count; ++step) {
        const int index = (start + step) % count;
        if (StartsWithNoCase(items[static_cast<size_t>(index)], text))
            return index;
    }
    return -1;
}
