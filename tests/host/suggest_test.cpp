// The suggestions apart from any window: matching, ranking, the sources' text work and the list's keys.
#include "suggest/IconCache.h"
#include "suggest/Ranking.h"
#include "suggest/SourceText.h"
#include "suggest/SuggestList.h"

#include <gtest/gtest.h>

namespace {

// The system's rule as far as these tests need it: A-Z, and ä as Ä.
std::string Fold(const std::string& text)
{
    std::string folded = text;
    for (char& c : folded)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    for (std::size_t at; (at = folded.find("\xC3\xA4")) != std::string::npos;)
        folded[at + 1] = '\x84';
    return folded;
}

std::string Expand(const std::string& text)
{
    return text.rfind("%APPDATA%", 0) == 0 ? "C:\\Users\\me\\AppData\\Roaming" + text.substr(9) : text;
}

Candidates History(const std::vector<std::string>& entries)
{
    Candidates history;
    for (const std::string& entry : entries)
        history.push_back(Indexed({entry, entry, "", Source::History}, Fold));
    return history;
}

// Each line as "name | command | source".
std::vector<std::string> Offered(const std::string& typed, const Candidates& history, const SuggestIndex& index,
                                 const Candidates& listed = {})
{
    std::vector<std::string> lines;
    for (const Candidate& line : RankSuggestions(Fold(typed), history, index, listed))
        lines.push_back(line.name + " | " + line.command + " | " + SourceName(line.source));
    return lines;
}

using Lines = std::vector<std::string>;

// Shortcuts as the index thread reads them: with no file target unless given.
std::vector<ShortcutFile> Shortcuts(const std::vector<std::string>& paths)
{
    std::vector<ShortcutFile> shortcuts;
    for (const std::string& path : paths)
        shortcuts.push_back({path, "", false, false});
    return shortcuts;
}

}  // namespace

TEST(Suggestions, MatchTheBeginningAWordTheInitialsOrAPart)
{
    const IndexedCandidate code = Indexed({"Visual Studio Code", "", "", Source::StartMenu}, Fold);
    EXPECT_EQ(MatchName(code, Fold("visual s")), MatchKind::Prefix);
    EXPECT_EQ(MatchName(code, Fold("stu")), MatchKind::WordPrefix);
    EXPECT_EQ(MatchName(code, Fold("vsc")), MatchKind::Initials);
    EXPECT_EQ(MatchName(code, Fold("dio")), MatchKind::Part);
    EXPECT_EQ(MatchName(code, Fold("vsx")), MatchKind::None);
    // A word follows "-", "_", "." and "\" too; its first letter may take more than one byte.
    const IndexedCandidate tool = Indexed({"git-gui_x.äpfel\\Ärger", "", "", Source::Path}, Fold);
    for (const char* word : {"gui", "x", "Äpf", "ärg"})
        EXPECT_EQ(MatchName(tool, Fold(word)), MatchKind::WordPrefix) << word;
    EXPECT_EQ(MatchName(tool, Fold("ggxää")), MatchKind::Initials);
}

TEST(Suggestions, RankByKindThenSourceThenLengthThenName)
{
    IndexSources sources;
    sources.shortcuts = Shortcuts({"C:\\Menu\\Beta Notes.lnk", "C:\\Menu\\Notes.url", "C:\\Menu\\Zed notes.lnk",
                                   "C:\\Menu\\Notes Tool.lnk", "C:\\Menu\\Anote Extra.lnk"});
    sources.appPaths = {{"notesapp.exe", "C:\\N\\notesapp.exe"}};
    sources.pathFiles = {"C:\\Bin\\notes2.com", "C:\\Bin\\abnotes.cmd", "C:\\Bin\\notes.txt"};
    sources.pathExt = ".COM;.EXE;.BAT;.CMD";
    const SuggestIndex index = BuildIndex(sources, Fold);
    EXPECT_EQ(Offered("notes", History({"old notes", "notes --x", "notes -y"}), index),
              (Lines{"notes --x | notes --x | History", "notes -y | notes -y | History",
                     "Notes | C:\\Menu\\Notes.url | Start menu",
                     "Notes Tool | \"C:\\Menu\\Notes Tool.lnk\" | Start menu",
                     "notesapp | notesapp | App Paths", "notes2 | notes2 | PATH", "old notes | old notes | History",
                     "Zed notes | \"C:\\Menu\\Zed notes.lnk\" | Start menu",
                     "Beta Notes | \"C:\\Menu\\Beta Notes.lnk\" | Start menu", "abnotes.cmd | abnotes.cmd | PATH"}));
    EXPECT_EQ(Offered("te e", {}, index), (Lines{"Anote Extra | \"C:\\Menu\\Anote Extra.lnk\" | Start menu"}));
    EXPECT_TRUE(Offered("", History({"notes"}), index).empty());

    IndexSources many;
    for (int i = 0; i < 30; ++i)
        many.shortcuts.push_back({"C:\\Menu\\app " + std::to_string(i) + ".lnk", "", false, false});
    EXPECT_EQ(Offered("app", {}, BuildIndex(many, Fold)).size(), 10u);
}

TEST(Suggestions, OfferEachProgramOnce)
{
    IndexSources sources;
    sources.shortcuts = Shortcuts({"C:\\Menu\\Word.lnk", "C:\\Other\\WORD.lnk",
                                   "C:\\Menu\\" + std::string(260, 'w') + ".lnk", "C:\\Menu\\python3.lnk"});
    sources.appPaths = {{"word.exe", "C:\\Office\\word.exe"}, {"calc.exe", "C:\\W\\calc.exe"}};
    sources.pathFiles = {"C:\\A\\Calc.exe", "C:\\A\\tool.bat", "C:\\B\\TOOL.BAT", "C:\\B\\w\xC3\xA4rd.exe",
                         "C:\\B\\python3.11.exe"};
    sources.pathExt = ".EXE;.BAT";
    const SuggestIndex index = BuildIndex(sources, Fold);
    // A shortcut and a program of its name are one, and so are two shortcuts; the first on PATH wins; too long
    // a name is not offered.
    EXPECT_EQ(Offered("w", {}, index), (Lines{"Word | C:\\Menu\\Word.lnk | Start menu", "wärd | wärd | PATH"}));
    EXPECT_EQ(Offered("py", {}, index),
              (Lines{"python3 | C:\\Menu\\python3.lnk | Start menu", "python3.11 | python3.11 | PATH"}));
    EXPECT_EQ(Offered("ca", {}, index), (Lines{"calc | calc | App Paths"}));
    EXPECT_EQ(Offered("to", {}, index), (Lines{"tool.bat | tool.bat | PATH"}));
    // A history entry that is another line's command takes that line's name and icon, and stays a history line.
    const auto lines = RankSuggestions(Fold("wor"), History({"WÄRD", "c:\\menu\\word.LNK"}), index, {});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].name + "|" + lines[0].command + "|" + lines[0].iconPath,
              "Word|c:\\menu\\word.LNK|C:\\Menu\\Word.lnk");
    EXPECT_EQ(lines[0].source, Source::History);
    EXPECT_EQ(Offered("wä", History({"WÄRD"}), index), (Lines{"wärd | WÄRD | History"}));

    // A program that a shortcut of its name hides still leads to the shortcut's line: its history entry borrows
    // the shortcut's name and icon, once. A program with a blank goes into the box quoted.
    IndexSources more;
    more.shortcuts = {{"C:\\Menu\\Firefox.lnk", "C:\\Firefox\\firefox.exe", false, true}};
    more.appPaths = {{"firefox.exe", "C:\\Firefox\\firefox.exe"}};
    more.pathFiles = {"C:\\Bin\\my tool.exe"};
    more.pathExt = ".EXE";
    const SuggestIndex shown = BuildIndex(more, Fold);
    const auto borrowed = RankSuggestions(Fold("fi"), History({"firefox"}), shown, {});
    ASSERT_EQ(borrowed.size(), 1u);
    EXPECT_EQ(borrowed[0].name + "|" + borrowed[0].command + "|" + borrowed[0].iconPath + "|" +
                  SourceName(borrowed[0].source),
              "Firefox|firefox|C:\\Menu\\Firefox.lnk|History");
    EXPECT_EQ(borrowed[0].iconKind, IconKind::Shortcut) << "the shortcut's own icon";
    EXPECT_EQ(Offered("my", {}, shown), (Lines{"my tool | \"my tool\" | PATH"}));
}

TEST(Suggestions, AShortcutToALocalFileThatIsGoneIsNotOfferedAndWhatTheIndexKnowsOfATargetGoesWithItsLine)
{
    IndexSources sources;
    sources.shortcuts = {{"C:\\Menu\\Gone.lnk", "C:\\Old\\gone.exe", false, false},
                         {"C:\\Menu\\Gone Share.lnk", "\\\\server\\gone.exe", true, false},
                         {"C:\\Menu\\Gone Setup.lnk", "", false, false},
                         {"C:\\Menu\\Gone Site.url", "", false, false},
                         {"C:\\Menu\\Gone Here.lnk", "C:\\Here\\here.exe", false, true}};
    Lines known;
    for (const Candidate& line : RankSuggestions(Fold("gone"), {}, BuildIndex(sources, Fold), {}))
        known.push_back(line.name + " " + std::to_string(static_cast<int>(line.existence)));
    // Not known (0): a target on the network is looked for on a worker. Exists (1), Missing (2): a shortcut
    // with no file target names no entry, but an internet shortcut is a file like any other.
    EXPECT_EQ(known, (Lines{"Gone Here 1", "Gone Site 1", "Gone Setup 2", "Gone Share 0"}));
}

TEST(Suggestions, FolderEntriesAndVariables)
{
    const std::vector<std::string> extensions = ProgramExtensions(".COM; .exe;;", Fold);
    EXPECT_EQ(extensions, (std::vector<std::string>{".COM", ".EXE"}));
    EXPECT_TRUE(HasProgramExtension("Setup.Exe", extensions, Fold));
    EXPECT_FALSE(HasProgramExtension("readme.txt", extensions, Fold));
    EXPECT_FALSE(HasProgramExtension(".exe", extensions, Fold));

    for (const char* none : {"notepad", "\"C:\\Program Files\\app.exe\" C:\\", "C:"})
        EXPECT_FALSE(FolderQueryOf(none, Expand)) << none;
    std::string cyrillic = "C:\\";  // 200 characters of 2 bytes each: within the box's 259
    for (int i = 0; i < 100; ++i)
        cyrillic += "\xD0\xAF\xD0\xAF";
    EXPECT_TRUE(FolderQueryOf(cyrillic + "\\x", Expand));
    const auto query = FolderQueryOf("\"%APPDATA%\\Mi", Expand);
    ASSERT_TRUE(query);
    EXPECT_EQ(query->folder + "|" + query->typedFolder + "|" + query->lastPart,
              "C:\\Users\\me\\AppData\\Roaming\\|\"%APPDATA%\\|Mi");

    FolderListing listing{"C:\\Users\\me\\AppData\\Roaming\\", {}};
    for (const char* name : {"mid.txt", "Microsoft", "..", "Mixer", "Music", "mi file.txt", "MI"})
        listing.entries.push_back({name, Fold(name), name[0] == 'M'});
    SortListing(listing);
    const auto lines = [&](const FolderQuery& q, std::size_t most) {
        Lines shown;
        for (const IndexedCandidate& line : OfferEntries(listing, q, Fold, most))
            shown.push_back(line.item.name + " | " + line.item.command + " | " + SourceName(line.item.source));
        return shown;
    };
    EXPECT_EQ(lines(*query, 4), (Lines{"%APPDATA%\\MI\\ | \"%APPDATA%\\MI\\ | Folder",
                                       "%APPDATA%\\Mixer\\ | \"%APPDATA%\\Mixer\\ | Folder",
                                       "%APPDATA%\\Microsoft\\ | \"%APPDATA%\\Microsoft\\ | Folder",
                                       "%APPDATA%\\mid.txt | \"%APPDATA%\\mid.txt\" | File"}));
    EXPECT_EQ(lines(*FolderQueryOf("C:\\x\\mi ", Expand), 9), (Lines{"C:\\x\\mi file.txt | \"C:\\x\\mi file.txt\" | File"}));
    // Shorter names first, as the system counts them: "ääää" is four units, though eight bytes.
    FolderListing wide{"C:\\x\\", {{"\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4.c", "", false}, {"abcdef.c", "", false}}};
    for (FolderEntry& entry : wide.entries)
        entry.folded = Fold(entry.name);
    SortListing(wide);
    EXPECT_EQ(OfferEntries(wide, *FolderQueryOf("C:\\x\\", Expand), Fold, 1).at(0).item.name, "C:\\x\\\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4.c");

    IndexSources sources;
    sources.environment = {"APPDATA", "PATH", "APP_HOME"};
    const SuggestIndex index = BuildIndex(sources, Fold);
    Lines names;
    for (const IndexedCandidate& line : OfferVariables(index.variables, Fold("%app")))
        names.push_back(line.item.command);
    EXPECT_EQ(names, (Lines{"%APPDATA%\\", "%APP_HOME%\\"}));
    EXPECT_TRUE(OfferVariables(index.variables, Fold("%APPDATA%\\")).empty());
}

TEST(Suggestions, ListKeys)
{
    ListCursor cursor;
    cursor.Reset(3, 3);
    EXPECT_EQ(cursor.OnKey(ListKey::Up, false), ListAction::Nothing);
    EXPECT_EQ(cursor.OnKey(ListKey::Down, false), ListAction::Fill);
    EXPECT_EQ(cursor.Highlight(), 0);
    EXPECT_EQ(cursor.OnKey(ListKey::ShiftDelete, false), ListAction::NotTaken);
    EXPECT_EQ(cursor.OnKey(ListKey::Up, false), ListAction::Restore);
    EXPECT_EQ(cursor.Highlight(), ListCursor::kInBox);
    EXPECT_EQ(cursor.OnKey(ListKey::ShiftDelete, true), ListAction::NotTaken);
    EXPECT_EQ(cursor.OnKey(ListKey::PageDown, false), ListAction::Fill);
    EXPECT_EQ(cursor.Highlight(), 2);
    EXPECT_EQ(cursor.OnKey(ListKey::Down, false), ListAction::Nothing);
    EXPECT_EQ(cursor.OnKey(ListKey::ShiftDelete, true), ListAction::Remove);
    cursor.RemoveHighlighted();
    EXPECT_EQ(cursor.Highlight(), 1);
    EXPECT_EQ(cursor.OnKey(ListKey::PageUp, false), ListAction::Fill);
    EXPECT_EQ(cursor.Highlight(), 0);
    EXPECT_EQ(cursor.OnKey(ListKey::PageUp, false), ListAction::Restore);
    EXPECT_EQ(cursor.OnKey(ListKey::Escape, false), ListAction::Close);
}

TEST(Suggestions, ListPlacementAndSize)
{
    const ScreenRect work{0, 0, 1000, 800};
    const auto place = [&](long long top, long long height) {
        const ScreenRect r = PlaceSuggestionList({100, top, 400, top + 20}, work, height);
        return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
               std::to_string(r.bottom);
    };
    EXPECT_EQ(place(100, 200), "100,120,400,320");
    EXPECT_EQ(place(600, 200), "100,400,400,600");
    EXPECT_EQ(place(300, 600), "100,320,400,800");  // more room below: cut there
    EXPECT_EQ(place(500, 600), "100,0,400,500");
    EXPECT_EQ(SuggestionLineHeight(96, 13), 20);
    EXPECT_EQ(SuggestionLineHeight(144, 20), 30);
    EXPECT_EQ(SuggestionIconSize(144), 24);
}

TEST(Suggestions, IconsOpenOnlyTrustedFilesAndAreKeptBySize)
{
    // Only a Start-menu shortcut, or a local program, library or icon file, is opened for its icon.
    const std::pair<IconLookup, std::tuple<const char*, IconKind, bool, bool>> cases[] = {
        {IconLookup::Own, {"C:\\Menu\\Word.lnk", IconKind::Shortcut, false, false}},
        {IconLookup::Own, {"C:\\Tools\\a.EXE", IconKind::File, false, false}},
        {IconLookup::Own, {"C:\\Tools\\a.dll", IconKind::File, false, false}},
        {IconLookup::Own, {"C:\\Tools\\a.ico", IconKind::File, false, false}},
        {IconLookup::Type, {"C:\\Downloads\\planted.lnk", IconKind::File, false, false}},
        {IconLookup::Type, {"C:\\Downloads\\planted.url", IconKind::File, false, false}},
        {IconLookup::Type, {"\\\\server\\share\\a.exe", IconKind::File, false, true}},
        {IconLookup::Folder, {"C:\\Downloads\\x.exe", IconKind::Folder, false, false}},
        {IconLookup::Folder, {"C:\\Users", IconKind::File, true, false}},
    };
    for (const auto& [lookup, line] : cases) {
        const auto& [path, kind, isFolder, onNetwork] = line;
        EXPECT_EQ(IconLookupFor(path, kind, isFolder, onNetwork), lookup) << path;
    }

    // After a change of dots per inch the icons of the old size do not serve; the oldest go first, but not
    // one a line shows.
    IconCache<std::string> icons(2);
    icons.Add("a", 16, "a16", {}, 16);
    EXPECT_TRUE(icons.Has("a", 16));
    EXPECT_FALSE(icons.Has("a", 24));
    icons.Add("a", 24, "a24", {}, 24);
    EXPECT_EQ(*icons.Find("a", 24), "a24");
    icons.Add("b", 16, "b16", {"a"}, 24);  // late, of the old size: "a" shows at 24
    EXPECT_FALSE(icons.Has("a", 16));
    EXPECT_TRUE(icons.Has("a", 24));
    EXPECT_TRUE(icons.Has("b", 16));
}
