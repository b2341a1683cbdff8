#include "framework/FileFilter.h"
#include "framework/Text.h"

#include <gtest/gtest.h>

TEST(Text, TrimRemovesWhiteSpaceAtBothEndsOnly)
{
    EXPECT_EQ(Trim("  notepad  "), "notepad");
    EXPECT_EQ(Trim("\t\r\n\"C:\\My Files\\a.txt\" -x \v\f"), "\"C:\\My Files\\a.txt\" -x");
    EXPECT_EQ(Trim("a  b"), "a  b");
    EXPECT_EQ(Trim(" \t "), "");
    EXPECT_EQ(Trim(""), "");
}

TEST(Text, CaseIsIgnoredForLettersOnly)
{
    EXPECT_TRUE(StartsWithNoCase("Notepad.exe", "NOTE"));
    EXPECT_TRUE(StartsWithNoCase("notepad", ""));
    EXPECT_FALSE(StartsWithNoCase("c:\\notes.txt", "note"));
    EXPECT_FALSE(StartsWithNoCase("no", "note"));
    EXPECT_TRUE(EqualsNoCase("Velquin.exe", "VELQUIN.EXE"));
    EXPECT_FALSE(EqualsNoCase("Velquin.exe", "Velquin.ex"));
    EXPECT_FALSE(EqualsNoCase("[", "{"));  // 0x5B and 0x7B are not letters
}

TEST(Text, ParseIntTakesWholeDecimalNumbersOnly)
{
    EXPECT_EQ(ParseInt("30"), 30);
    EXPECT_EQ(ParseInt(" 7 "), 7);
    EXPECT_EQ(ParseInt("-5"), -5);
    EXPECT_EQ(ParseInt("+99"), 99);
    EXPECT_EQ(ParseInt("2147483647"), 2147483647);
    EXPECT_EQ(ParseInt("-2147483648"), -2147483647 - 1);
    EXPECT_FALSE(ParseInt(""));
    EXPECT_FALSE(ParseInt("  "));
    EXPECT_FALSE(ParseInt("-"));
    EXPECT_FALSE(ParseInt("12a"));
    EXPECT_FALSE(ParseInt("1 2"));
    EXPECT_FALSE(ParseInt("2147483648"));
    EXPECT_FALSE(ParseInt("99999999999999999999"));
}

TEST(FileFilter, BarsBecomeZerosEndingInADoubleZero)
{
    const std::string zeros = FilterFromBars("Programs|*.exe;*.bat|All Files |*.*||");
    static const char expected[] = "Programs\0*.exe;*.bat\0All Files \0*.*\0\0";
    EXPECT_EQ(zeros, std::string(expected, sizeof(expected) - 1));
    EXPECT_EQ(FilterFromBars("All Files|*.*||").size(), 15u);
}
