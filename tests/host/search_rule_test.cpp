#include "history/SearchRule.h"

#include <gtest/gtest.h>

TEST(SearchRule, FindsPrefixesIgnoringCaseFromAfterTheStartAndWraps)
{
    const std::vector<std::string> items = {"notepad", "Notes.txt", "mspaint"};
    EXPECT_EQ(SearchList(items, "NOTE", -1), 0);
    EXPECT_EQ(SearchList(items, "NOTE", 0), 1);
    EXPECT_EQ(SearchList(items, "NOTE", 1), 0);
    EXPECT_EQ(SearchList(items, "ms", 2), 2) << "the start item itself comes last";
    EXPECT_EQ(SearchList(items, "NOTE", 7), 0) << "a start beyond the end looks from the top";
    EXPECT_EQ(SearchList(items, "write", -1), -1);
    EXPECT_EQ(SearchList({}, "a", -1), -1);
}

TEST(SearchRule, MatchesTheBeginningOnly)
{
    const std::vector<std::string> items = {"c:\\notes.txt", "Notepad.exe"};
    EXPECT_EQ(SearchList(items, "note", -1), 1);
}
