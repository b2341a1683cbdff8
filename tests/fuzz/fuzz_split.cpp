// SplitCommandText and the examined-text rule over any text and any file system answers.
#include "FuzzInput.h"

#include "text/CommandText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const uint8_t existing = input.Byte();  // which of the searches find something
    const std::string t = input.Rest();

    unsigned searches = 0;
    const FileSearch find = [&](const std::string&, std::string* full) {
        const bool found = (existing >> (searches++ % 8)) & 1;
        if (found && full)
            *full = "C:\\found";
        return found;
    };

    const CommandSplit split = SplitCommandText(t, t, find);
    // The program and its parameters always come from the text itself: a shortcut stays a shortcut.
    FUZZ_CHECK(t.find(split.program) != std::string::npos);
    FUZZ_CHECK(split.parameters.empty() || t.find(split.parameters) != std::string::npos ||
               t.find(split.parameters.substr(0, split.parameters.size() - 1)) != std::string::npos);
    // Without quotes, blanks and program suffixes the text passes unchanged.
    if (t.find_first_of("\" ") == std::string::npos && t.find(".exe") == std::string::npos && !t.empty() &&
        t.back() != '\\' && t.find_first_of("\t\r\n\v\f") == std::string::npos)
        FUZZ_CHECK(split.program == t && split.parameters.empty());

    for (bool trim : {false, true}) {
        const std::string examined = ExaminedText(t, trim);
        FUZZ_CHECK(examined.size() <= t.size());
        FUZZ_CHECK(t.find(examined) != std::string::npos);
    }
    FUZZ_CHECK(FolderOf(t).size() <= t.size());
    FUZZ_CHECK(NameOf(t).size() <= t.size());
    return 0;
}
