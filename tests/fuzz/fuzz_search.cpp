// The Find dialog's search rule: whatever it finds begins with the text, and "not found" means none does.
#include "FuzzInput.h"

#include "find/SearchRule.h"
#include "framework/Text.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    std::vector<std::string> items(static_cast<size_t>(input.Number(0, 8)));
    for (std::string& item : items)
        item = input.Text(6);
    const std::string text = input.Text(3);
    const int start = input.Number(-2, 10);

    const int found = SearchList(items, text, start, EqualsAsciiNoCase);
    if (found < 0) {
        for (const std::string& item : items)
            FUZZ_CHECK(!StartsWithAsciiNoCase(item, text));
        return 0;
    }
    FUZZ_CHECK(found < static_cast<int>(items.size()));
    FUZZ_CHECK(StartsWithAsciiNoCase(items[static_cast<size_t>(found)], text));
    // Nothing between the start and the match begins with the text.
    const int count = static_cast<int>(items.size());
    const int first = start < 0 || start >= count ? 0 : (start + 1) % count;
    for (int i = first; i != found; i = (i + 1) % count)
        FUZZ_CHECK(!StartsWithAsciiNoCase(items[static_cast<size_t>(i)], text));
    return 0;
}
