#include "launcher/CommandText.h"

#include "framework/Text.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// A file system of a few paths; names compare without regard to case, "*.*" matches anything.
struct FakeFiles {
    std::set<std::string> paths;
    std::vector<std::string> resolved;  // shortcut paths asked for, in order
    std::string target = "C:\\PROGRA~1\\APP\\APP.EXE";

    FileSearch Find()
    {
        return [this](const std::string& pattern, std::string* full) {
            for (const std::string& p : paths) {
                if (EqualsNoCase(p, pattern) || (pattern.size() > 3 && pattern.substr(pattern.size() - 3) == "*.*" &&
                                                 StartsWithNoCase(p, pattern.substr(0, pattern.size() - 3)))) {
                    if (full)
                        *full = p;
                    return true;
                }
            }
            return false;
        };
    }
    ShortcutResolver Resolve()
    {
        return [this](const std::string& path) {
            resolved.push_back(path);
            return paths.count(path) ? target : std::string();
        };
    }
    CommandSplit Split(const std::string& t)
    {
        return SplitCommandText(t, t, Find(), Resolve());
    }
};

void ExpectSplit(const CommandSplit& split, const std::string& program, const std::string& parameters)
{
    EXPECT_EQ(split.program, program);
    EXPECT_EQ(split.parameters, parameters);
}

}  // namespace

TEST(SplitCommandText, PlainNamesFoldersAndAddressesPassUnchanged)
{
    FakeFiles files;
    ExpectSplit(files.Split("notepad"), "notepad", "");
    ExpectSplit(files.Split("C:\\Windows"), "C:\\Windows", "");
    ExpectSplit(files.Split("http://example.com/a?b=c"), "http://example.com/a?b=c", "");
    EXPECT_TRUE(files.resolved.empty());
}

TEST(SplitCommandText, AProgramBeforeQuotedArgumentsKeepsTheQuotesAndTheBlank)
{
    FakeFiles files;
    ExpectSplit(files.Split("notepad \"C:\\My Files\\a.txt\""), "notepad", " \"C:\\My Files\\a.txt\"");
    // Returned at once: not trimmed.
    ExpectSplit(files.Split("notepad  \"x y\"  "), "notepad", "  \"x y\"  ");
}

TEST(SplitCommandText, AQuotedProgramIsUnquotedAndTheRestAreItsParameters)
{
    FakeFiles files;
    ExpectSplit(files.Split("\"C:\\Program Files\\App\\app.exe\" -x"), "C:\\Program Files\\App\\app.exe", " -x");
    ExpectSplit(files.Split("\"C:\\Program Files\\App\\app.exe\""), "C:\\Program Files\\App\\app.exe", "");
    ExpectSplit(files.Split("\"\""), "", "");
    // A lone quote leaves nothing between the quotes.
    ExpectSplit(files.Split("\"abc"), "", "abc");
}

TEST(SplitCommandText, AnUnquotedPathWithBlanksIsWholeWhenItExistsAndSplitOtherwise)
{
    FakeFiles files;
    files.paths = {"C:\\My Files\\notes.txt"};
    ExpectSplit(files.Split("C:\\My Files\\notes.txt"), "C:\\My Files\\notes.txt", "");
    ExpectSplit(files.Split("C:\\My Files\\notes.txt -p"), "C:\\My", " Files\\notes.txt -p");
    ExpectSplit(files.Split("write  a.txt  "), "write", "  a.txt");
}

TEST(SplitCommandText, AFinalBackslashIsDroppedWithItsParameters)
{
    FakeFiles files;
    ExpectSplit(files.Split("C:\\My Files\\"), "C:\\My Files", "");
    files.paths = {"C:\\My Files\\"};
    ExpectSplit(files.Split("C:\\My Files\\"), "C:\\My Files\\", "");  // existing as typed: whole
}

TEST(SplitCommandText, AnUnquotedExeGetsTheFallbackOrTheSplitAtTheFirstBlank)
{
    FakeFiles files;
    EXPECT_EQ(SplitCommandText("app.exe", "FALLBACK", files.Find(), files.Resolve()).program, "FALLBACK");
    ExpectSplit(files.Split("C:\\Tools\\tool.exe /q"), "C:\\Tools\\tool.exe", " /q");
    // The .exe rule undoes the final-backslash rule.
    ExpectSplit(files.Split("C:\\Tools\\tool.exe a\\"), "C:\\Tools\\tool.exe", " a\\");
    // Letter case matters for ".exe".
    EXPECT_EQ(SplitCommandText("APP.EXE", "FALLBACK", files.Find(), files.Resolve()).program, "APP.EXE");
}

TEST(SplitCommandText, AQuotedShortcutIsReplacedByItsTarget)
{
    FakeFiles files;
    files.paths = {"C:\\Links\\App.lnk"};
    ExpectSplit(files.Split("\"C:\\Links\\App.lnk\" -x"), "C:\\PROGRA~1\\APP\\APP.EXE", " -x");
    EXPECT_EQ(files.resolved, (std::vector<std::string>{"C:\\Links\\App.lnk"}));

    // A shortcut that cannot be resolved falls back to the whole text.
    ExpectSplit(files.Split("\"C:\\Links\\Gone.lnk\""), "\"C:\\Links\\Gone.lnk\"", "");
    // ".LNK" in capitals is no shortcut to this rule: handed on unresolved.
    files.resolved.clear();
    ExpectSplit(files.Split("\"C:\\Links\\App.LNK\""), "C:\\Links\\App.LNK", "");
    EXPECT_TRUE(files.resolved.empty());
}

TEST(SplitCommandText, AnExistingShortcutWithoutQuotesIsResolvedWithItsArguments)
{
    FakeFiles files;
    files.paths = {"C:\\Links\\App.lnk", "C:\\My Links\\Tool.lnk"};
    ExpectSplit(files.Split("C:\\Links\\App.lnk"), "C:\\PROGRA~1\\APP\\APP.EXE", "");
    ExpectSplit(files.Split("C:\\Links\\App.lnk -x y"), "C:\\PROGRA~1\\APP\\APP.EXE", " -x y");
    ExpectSplit(files.Split("C:\\My Links\\Tool.lnk"), "C:\\PROGRA~1\\APP\\APP.EXE", "");

    // Not there: no resolution, the ordinary rules apply.
    files.resolved.clear();
    ExpectSplit(files.Split("C:\\Links\\Missing.lnk"), "C:\\Links\\Missing.lnk", "");
    ExpectSplit(files.Split("C:\\Links\\App.lnkx"), "C:\\Links\\App.lnkx", "");
    EXPECT_TRUE(files.resolved.empty());

    // There but not resolvable: the shortcut itself is opened.
    files.target.clear();
    ExpectSplit(files.Split("C:\\Links\\App.lnk"), "C:\\Links\\App.lnk", "");
}

TEST(ExaminedText, UnquotesDropsAFinalBackslashAndTrimsWhenAsked)
{
    EXPECT_EQ(ExaminedText("  \"C:\\My Files\\a.txt\"  ", true), "C:\\My Files\\a.txt");
    EXPECT_EQ(ExaminedText("\"C:\\My Files\\a.txt\" \"arg\"", true), "C:\\My Files\\a.txt\" \"arg");
    EXPECT_EQ(ExaminedText("C:\\Windows\\", true), "C:\\Windows");
    EXPECT_EQ(ExaminedText(" C:\\Windows\\ ", false), " C:\\Windows\\ ");
    EXPECT_EQ(ExaminedText("notepad \"a b\"", true), "notepad \"a b\"");
    EXPECT_EQ(ExaminedText("\"", true), "\"");
    EXPECT_EQ(ExaminedText("\"\"", true), "");
    EXPECT_EQ(ExaminedText("   ", true), "");
}

TEST(ExaminedText, NamesAnExistingEntryOnlyWhenNotEmptyAndFound)
{
    FakeFiles files;
    files.paths = {"C:\\Windows"};
    EXPECT_TRUE(NamesExistingEntry("C:\\Windows", files.Find()));
    EXPECT_TRUE(NamesExistingEntry("C:\\*.*", files.Find()));
    EXPECT_FALSE(NamesExistingEntry("C:\\Other", files.Find()));
    EXPECT_FALSE(NamesExistingEntry("", files.Find()));
}

TEST(CommandText, FolderAndNameOfAPath)
{
    EXPECT_EQ(FolderOf("C:\\Tools\\x.exe"), "C:\\Tools");
    EXPECT_EQ(FolderOf("C:\\x.exe"), "C:\\");
    EXPECT_EQ(FolderOf("x.exe"), "");
    EXPECT_EQ(NameOf("C:\\Tools\\x.exe"), "x.exe");
    EXPECT_EQ(NameOf("x.exe"), "x.exe");
}

TEST(CommandText, NetworkPathsAndDriveRoots)
{
    EXPECT_TRUE(IsUncPath("\\\\server\\share\\x.exe"));
    EXPECT_TRUE(IsUncPath("//server/share"));
    EXPECT_FALSE(IsUncPath("\\Windows\\notepad.exe"));
    EXPECT_FALSE(IsUncPath("\\\\"));
    EXPECT_EQ(DriveRootOf("n:\\tools\\x.exe"), "n:\\");
    EXPECT_EQ(DriveRootOf("N:"), "N:\\");
    EXPECT_EQ(DriveRootOf("notepad"), "");
    EXPECT_EQ(DriveRootOf("1:\\x"), "");
}
