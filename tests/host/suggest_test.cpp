// The suggestions apart from any window: matching, ranking, the learning, the sources' text work and the
// list's keys.
#include "MemoryProfileStore.h"

#include "suggest/IconCache.h"
#include "suggest/Ranking.h"
#include "suggest/SourceText.h"
#include "suggest/SuggestList.h"
#include "settings/AliasTable.h"
#include "suggest/SuggestionModel.h"

#include <gtest/gtest.h>

#include <memory>

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
    EXPECT_EQ(cursor.OnKey(ListKey::Up), ListAction::Nothing);
    EXPECT_EQ(cursor.OnKey(ListKey::ShiftDelete), ListAction::NotTaken);  // in the box: the box's own key
    EXPECT_EQ(cursor.OnKey(ListKey::Down), ListAction::Fill);
    EXPECT_EQ(cursor.Highlight(), 0);
    EXPECT_EQ(cursor.OnKey(ListKey::Up), ListAction::Restore);
    EXPECT_EQ(cursor.Highlight(), ListCursor::kInBox);
    EXPECT_EQ(cursor.OnKey(ListKey::PageDown), ListAction::Fill);
    EXPECT_EQ(cursor.Highlight(), 2);
    EXPECT_EQ(cursor.OnKey(ListKey::Down), ListAction::Nothing);
    EXPECT_EQ(cursor.OnKey(ListKey::ShiftDelete), ListAction::Remove);
    cursor.Highlight(1);
    EXPECT_EQ(cursor.OnKey(ListKey::PageUp), ListAction::Fill);
    EXPECT_EQ(cursor.Highlight(), 0);
    EXPECT_EQ(cursor.OnKey(ListKey::PageUp), ListAction::Restore);
    EXPECT_EQ(cursor.OnKey(ListKey::Escape), ListAction::Close);
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

namespace {

constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kT0 = 1800000000;  // a Unix second in 2027

// Paint, Paint 3D, Pages and Pal in the Start menu, calc in App Paths: "pa" offers them as
// Pal, Pages, Paint, Paint 3D without learning.
SuggestIndex PaintIndex()
{
    IndexSources sources;
    sources.shortcuts = Shortcuts({"C:\\Menu\\Paint.lnk", "C:\\Menu\\Paint 3D.lnk", "C:\\Menu\\Pages.lnk",
                                   "C:\\Menu\\Pal.lnk"});
    sources.appPaths = {{"calc.exe", "C:\\W\\calc.exe"}, {"pad.exe", "C:\\W\\pad.exe"}};
    return BuildIndex(sources, Fold);
}

Lines Names(const std::vector<Candidate>& lines)
{
    Lines names;
    for (const Candidate& line : lines)
        names.push_back(line.name + (line.source == Source::History ? " (History)" : ""));
    return names;
}

Lines NamesFor(const std::string& typed, const Learning& learning, std::int64_t now,
               const HiddenLines* hidden = nullptr, const Candidates& history = {})
{
    return Names(RankSuggestions(Fold(typed), history, PaintIndex(), {}, learning.BoostsFor(Fold(typed), now), hidden));
}

}  // namespace

TEST(Learning, APickScoresOneEachPickMoreTheScoreFadesByTheDayAndAFadedRecordGoes)
{
    MemoryProfileStore store;
    Learning learning(store, Fold);
    learning.Record("  no ", "notepad", kT0);
    EXPECT_EQ(store.ReadString("Learning", "Record #1"), "NO\tNOTEPAD\t1\t1800000000");
    learning.Record("no", " Notepad", kT0);
    EXPECT_EQ(store.ReadString("Learning", "Record #1"), "NO\tNOTEPAD\t1.9\t1800000000");
    learning.Record("No", "notepad", kT0 + 10 * kDay);  // 0.9 * 1.9 * 0.975^10 + 1
    EXPECT_EQ(store.ReadString("Learning", "Record #1"), "NO\tNOTEPAD\t2.3275\t1800864000");

    // What was typed is kept to 32 UTF-16 units, a character never split; a record too long for a value, or
    // holding a tab, is not learnt.
    learning.Record(std::string(31, 'a') + "\xF0\x9F\x98\x80" + "b", "x", kT0);
    EXPECT_EQ(store.ReadString("Learning", "Record #2"), std::string(31, 'A') + "\tX\t1\t1800000000");
    learning.Record("long", std::string(250, 'c'), kT0);
    learning.Record("tab", "a\tb", kT0);
    EXPECT_EQ(store.ValueNames("Learning").size(), 2u);

    // A single pick lasts about 90 days; past them it counts for nothing, and the next pick removes it.
    MemoryProfileStore fresh;
    Learning fading(fresh, Fold);
    fading.Record("pa", "paint", kT0);
    EXPECT_NEAR(BoostOf(fading.BoostsFor("PA", kT0 + 90 * kDay), "PAINT"), 0.2048544, 1e-6);
    EXPECT_TRUE(fading.BoostsFor("PA", kT0 + 91 * kDay).empty());
    EXPECT_TRUE(fading.Knows("PAINT"));
    fading.Record("x", "calc", kT0 + 91 * kDay);
    EXPECT_EQ(fresh.ValueNames("Learning"), (Lines{"Record #2"}));
    EXPECT_FALSE(fading.Knows("PAINT"));
}

TEST(Learning, AtMostThreeHundredRecordsTheWeakestGoesAndADamagedRecordIsSkipped)
{
    MemoryProfileStore store;
    store.WriteString("Learning", "Record #1", "T1\tC1\t5\t" + std::to_string(kT0 + 1));  // strong, oldest
    for (int k = 2; k <= 300; ++k)
        store.WriteString("Learning", "Record #" + std::to_string(k),
                          "T" + std::to_string(k) + "\tC" + std::to_string(k) + "\t1\t" + std::to_string(kT0 + k));
    Learning learning(store, Fold);
    learning.Record("new", "fresh", kT0 + kDay);
    const std::vector<LearnedPick> records = learning.Records();
    ASSERT_EQ(records.size(), 300u);
    EXPECT_EQ(records.front().command, "C1");
    EXPECT_EQ(records[1].command, "C3") << "of equal scores, the oldest pick went";
    EXPECT_EQ(records.back().command, "FRESH");
    EXPECT_EQ(store.ReadString("Learning", "Record #2"), "");
    EXPECT_EQ(store.ReadString("Learning", "Record #301"), "NEW\tFRESH\t1\t1800086400");

    MemoryProfileStore damaged;
    const std::string good = "PA\tPAINT\t1.5\t" + std::to_string(kT0);
    for (const std::string& text : Lines{good, "garbage", "PA\tPAINT\t1\t" + std::to_string(kT0) + "\textra",
                                    "PA\tX\tmany\t1", "PA\tX\t-1\t1", "PA\tX\t11\t1", "PA\tX\t1\tsoon", "\tX\t1\t1",
                                    "PA\tPAGES\t2.25\t" + std::to_string(kT0)})
        damaged.WriteString("Learning", "Record #" + std::to_string(damaged.ValueNames("Learning").size() + 1), text);
    damaged.WriteString("Learning", "Record #01", good);  // not a record's name
    Learning read(damaged, Fold);
    read.Load();
    Lines kept;
    for (const LearnedPick& pick : read.Records())
        kept.push_back(FormatPick(pick));
    EXPECT_EQ(kept, (Lines{good, "PA\tPAGES\t2.25\t" + std::to_string(kT0)}));
}

TEST(Learning, APickLiftsItsLineForWhatBeginsItsTypedTextTwiceForTheSameText)
{
    MemoryProfileStore store;
    Learning learning(store, Fold);
    EXPECT_EQ(NamesFor("pa", learning, kT0), (Lines{"Pal", "Pages", "Paint", "Paint 3D", "pad"}));
    learning.Record("pa", "C:\\Menu\\Paint.lnk", kT0);
    learning.Record("paint 3", "\"C:\\Menu\\Paint 3D.lnk\"", kT0);  // picked last
    learning.Record("pa", "calc", kT0);  // no line for "pa" to lift
    EXPECT_EQ(NamesFor("pa", learning, kT0), (Lines{"Paint", "Paint 3D", "Pal", "Pages", "pad"}));
    learning.Record("pa", "C:\\Menu\\Pages.lnk", kT0);
    learning.Record("pa", "C:\\Menu\\Pages.lnk", kT0);
    EXPECT_EQ(NamesFor("pa", learning, kT0), (Lines{"Pages", "Paint", "Paint 3D", "Pal", "pad"}));
    // "p" begins every record's text and equals none but Pal's: equals in the usual order.
    learning.Record("p", "C:\\Menu\\Pal.lnk", kT0);
    EXPECT_EQ(NamesFor("p", learning, kT0), (Lines{"Pal", "Pages", "Paint", "Paint 3D", "pad"}));
    // "pai" begins no record's "pa": only Paint 3D's "paint 3" lifts.
    EXPECT_EQ(NamesFor("pai", learning, kT0), (Lines{"Paint 3D", "Paint"}));
    // A month later, Pages' older picks weigh less than a fresh pick of Paint.
    learning.Record("pa", "C:\\Menu\\Paint.lnk", kT0 + 30 * kDay);
    EXPECT_EQ(NamesFor("pa", learning, kT0 + 30 * kDay), (Lines{"Paint", "Pages", "Paint 3D", "Pal", "pad"}));
    // A history entry shown as a line lifts it as the line's own command does.
    MemoryProfileStore other;
    Learning viaHistory(other, Fold);
    viaHistory.Record("pa", "pal", kT0);
    EXPECT_EQ(NamesFor("pa", viaHistory, kT0, nullptr, History({"C:\\Menu\\Pal.lnk", "pal"})),
              (Lines{"pal (History)", "Pal (History)", "Pages", "Paint", "Paint 3D", "pad"}));
}

TEST(Learning, ShiftDeleteForgetsAHistoryOrLearntLineThenHidesItAcrossRestarts)
{
    MemoryProfileStore store;
    Learning learning(store, Fold);
    HiddenLines hidden(store, Fold);
    SuggestionModel model(Fold, Expand, learning, hidden);
    model.UseIndex(std::make_shared<SuggestIndex>(PaintIndex()));
    model.UseHistory({"C:\\Menu\\Paint.lnk", "notes"});
    learning.Record("pa", "pad", kT0);
    model.Type("pa");
    model.Derive(kT0);
    EXPECT_EQ(Names(model.Lines()), (Lines{"pad", "Paint (History)", "Pal", "Pages", "Paint 3D"}));

    // The history's line: its entry goes; the Start menu still offers Paint, which keeps the highlight.
    EXPECT_EQ(model.OnKey(ListKey::Down), ListAction::Fill);
    EXPECT_EQ(model.OnKey(ListKey::Down), ListAction::Fill);
    EXPECT_EQ(model.Fill(model.Highlight()).command, "C:\\Menu\\Paint.lnk");
    EXPECT_EQ(model.RemoveHighlighted(kT0), (Lines{"C:\\Menu\\Paint.lnk"}));
    EXPECT_EQ(Names(model.Lines()), (Lines{"pad", "Pal", "Pages", "Paint", "Paint 3D"}));
    EXPECT_EQ(model.Highlight(), 3);
    // Now neither history nor learnt: hidden, and the next line takes the highlight.
    EXPECT_TRUE(model.RemoveHighlighted(kT0).empty());
    EXPECT_EQ(Names(model.Lines()), (Lines{"pad", "Pal", "Pages", "Paint 3D"}));
    EXPECT_EQ(model.Highlight(), 3);
    EXPECT_EQ(store.ReadString("Hidden", "Hidden #1"), "C:\\MENU\\PAINT.LNK");
    // A learnt line that no history holds is forgotten first, then hidden.
    model.Fill(0);
    EXPECT_TRUE(model.RemoveHighlighted(kT0).empty());
    EXPECT_TRUE(store.ValueNames("Learning").empty());
    EXPECT_EQ(Names(model.Lines()), (Lines{"Pal", "Pages", "Paint 3D", "pad"}));
    EXPECT_EQ(model.Highlight(), 3);
    model.RemoveHighlighted(kT0);
    EXPECT_EQ(Names(model.Lines()), (Lines{"Pal", "Pages", "Paint 3D"}));

    // After a restart: still hidden. A history entry of a hidden line shows as itself; all come back at once.
    HiddenLines restarted(store, Fold);
    restarted.Load();
    EXPECT_EQ(NamesFor("pa", learning, kT0, &restarted, History({"c:\\menu\\paint.lnk"})),
              (Lines{"Pal", "Pages", "Paint 3D", "c:\\menu\\paint.lnk (History)"}));
    restarted.ShowAll();
    EXPECT_TRUE(store.ValueNames("Hidden").empty());
    EXPECT_EQ(NamesFor("pa", learning, kT0, &restarted), (Lines{"Pal", "Pages", "Paint", "Paint 3D", "pad"}));
}

TEST(Learning, WhatTheUserTypedIsTheTextALineReplacedOrTheCompletionsTypedPart)
{
    MemoryProfileStore store;
    Learning learning(store, Fold);
    HiddenLines hidden(store, Fold);
    SuggestionModel model(Fold, Expand, learning, hidden);
    model.UseIndex(std::make_shared<SuggestIndex>(PaintIndex()));
    model.Type("pai");
    model.Derive(kT0);
    model.OnKey(ListKey::Down);
    const std::string command = model.Fill(model.Highlight()).command;
    EXPECT_EQ(model.TypedAtLaunch(command, 0, 0), "pai");
    model.Close();  // a click on OK closes the list first
    EXPECT_EQ(model.TypedAtLaunch(command, 0, 0), "pai");
    EXPECT_EQ(model.TypedAtLaunch("notepad", 2, 7), "no") << "the box's completion";
    model.Type("paint");
    EXPECT_EQ(model.TypedAtLaunch(command, -1, -1), command) << "typed over: the whole text";
}

TEST(Suggestions, ATextIsMatchedAmongWhatItsBeginningMatchedUntilTheIndexChanges)
{
    MemoryProfileStore store;
    Learning learning(store, Fold);
    HiddenLines hidden(store, Fold);
    SuggestionModel model(Fold, Expand, learning, hidden);
    IndexSources sources;
    sources.shortcuts = Shortcuts({"C:\\Menu\\Viewer.lnk", "C:\\Menu\\Active VI.lnk", "C:\\Menu\\Envision.lnk",
                                   "C:\\Menu\\Vault.lnk", "C:\\Menu\\Ivy.lnk", "C:\\Menu\\Ink.lnk"});
    model.UseIndex(std::make_shared<SuggestIndex>(BuildIndex(sources, Fold)));
    const auto offered = [&](const std::string& typed) {
        model.Type(typed);
        model.Derive(kT0);
        return Names(model.Lines());
    };
    EXPECT_EQ(offered("v"), (Lines{"Vault", "Viewer", "Active VI", "Ivy", "Envision"}));
    EXPECT_EQ(offered("vi"), (Lines{"Viewer", "Active VI", "Envision"}));
    EXPECT_EQ(offered("vie"), (Lines{"Viewer"}));
    EXPECT_EQ(offered("v"), (Lines{"Vault", "Viewer", "Active VI", "Ivy", "Envision"})) << "Backspace";
    EXPECT_EQ(offered("i"), (Lines{"Ink", "Ivy", "Viewer", "Envision", "Active VI"}))
        << "not a longer text: all lines looked at again";
    IndexSources other;
    other.shortcuts = Shortcuts({"C:\\Menu\\Ivory.lnk"});
    model.UseIndex(std::make_shared<SuggestIndex>(BuildIndex(other, Fold)));
    EXPECT_EQ(offered("iv"), (Lines{"Ivory"}));
}

TEST(Suggestions, AnAliasInUseComesFirstAndAKeywordBeingTypedOffersTheAliasesItBegins)
{
    MemoryProfileStore store;
    Learning learning(store, Fold);
    HiddenLines hidden(store, Fold);
    AliasTable aliases(store, Fold);
    aliases.Put({"pa", "https://example.com/?q={*}"});
    aliases.Put({"pages", "notepad.exe"});
    SuggestionModel model(Fold, Expand, learning, hidden);
    model.UseIndex(std::make_shared<SuggestIndex>(PaintIndex()));
    model.UseAliases(aliases);
    learning.Record("pa", "C:\\Menu\\Paint.lnk", kT0);
    const auto offered = [&](const std::string& typed) {
        model.Type(typed);
        model.Derive(kT0);
        Lines lines;
        for (const Candidate& line : model.Lines())
            lines.push_back(line.name + " | " + line.command + " | " + SourceName(line.source));
        return lines;
    };
    EXPECT_EQ(offered("pa"), (Lines{"pa: https://example.com/?q= | pa | Alias", "Paint | C:\\Menu\\Paint.lnk | Start menu",
                                    "pages | pages  | Alias", "Pal | C:\\Menu\\Pal.lnk | Start menu",
                                    "Pages | C:\\Menu\\Pages.lnk | Start menu",
                                    "Paint 3D | \"C:\\Menu\\Paint 3D.lnk\" | Start menu", "pad | pad | App Paths"}));
    EXPECT_EQ(offered("PA c++")[0], "pa: https://example.com/?q=c%2B%2B | PA c++ | Alias");
    EXPECT_EQ(offered("page")[0], "pages | pages  | Alias");
}

TEST(Suggestions, PackagedAppsAreOfferedWithTheStartMenuAndDesktopOnesAreLeftToTheirShortcuts)
{
    for (const char* id : {"Microsoft.WindowsCalculator_8wekyb3d8bbwe!App", "A_0123456789abc!x"})
        EXPECT_TRUE(IsPackagedAppId(id)) << id;
    for (const char* id : {"Microsoft.Windows.Explorer", "{6D809377-6AF0-444B-8957-A3773F02200E}\\calc.exe",
                           "Microsoft.WindowsCalculator_8wekyb3d8bbwe", "Microsoft.WindowsCalculator_8wekyb3d8bbwe!",
                           "A_0123456789ab!x", "A_0123456789ABC!x", "_0123456789abc!x"})
        EXPECT_FALSE(IsPackagedAppId(id)) << id;
    IndexSources sources;
    sources.shortcuts = Shortcuts({"C:\\Menu\\Calendar Tool.lnk"});
    sources.appPaths = {{"calcs.exe", "C:\\W\\calcs.exe"}};
    sources.apps = {{"Calculator", "Microsoft.WindowsCalculator_8wekyb3d8bbwe!App"},
                    {"Calc Desktop", "{6D809377-6AF0-444B-8957-A3773F02200E}\\calc.exe"}};
    EXPECT_EQ(Offered("cal", {}, BuildIndex(sources, Fold)),
              (Lines{"Calculator | shell:AppsFolder\\Microsoft.WindowsCalculator_8wekyb3d8bbwe!App | App",
                     "Calendar Tool | \"C:\\Menu\\Calendar Tool.lnk\" | Start menu", "calcs | calcs | App Paths"}));
}

TEST(Suggestions, OpenWindowsAreLinesMatchedByTitleAndProgramAndTheLastOneMovedOntoIsTheSwitchTarget)
{
    // As Alt+Tab shows them: each fact, alone, keeps a window out.
    const WindowFacts shown{1, "Budget.xlsx - Excel", "C:\\Office\\EXCEL.EXE", true};
    EXPECT_TRUE(IsSwitchable(shown));
    std::vector<WindowFacts> kept = {shown};
    for (int fact = 0; fact < 8; ++fact) {
        WindowFacts window = shown;
        switch (fact) {
        case 0: window.visible = false; break;
        case 1: window.owned = true; break;
        case 2: window.toolWindow = true; break;
        case 3: window.noActivate = true; break;
        case 4: window.title.clear(); break;
        case 5: window.cloaked = true; break;
        case 6: window.ours = true; break;
        case 7: window.shell = true; break;
        }
        EXPECT_FALSE(IsSwitchable(window)) << fact;
        kept.push_back(window);
    }
    WindowFacts appWindow = shown;
    appWindow.handle = 2;
    appWindow.title = "Tool palette";
    appWindow.toolWindow = appWindow.appWindow = true;
    EXPECT_TRUE(IsSwitchable(appWindow)) << "a tool window that asks to be an app window";
    kept.push_back(appWindow);
    kept.push_back({3, "Budget.xlsx - Excel", "", true});  // its process would not say: its title alone
    kept.push_back({4, "Paperwork", "C:\\x\\docs.exe", true});

    MemoryProfileStore store;
    Learning learning(store, Fold);
    HiddenLines hidden(store, Fold);
    SuggestionModel model(Fold, Expand, learning, hidden);
    model.UseIndex(std::make_shared<SuggestIndex>(PaintIndex()));
    model.UseWindows(kept);
    const auto offered = [&](const std::string& typed) {
        model.Type(typed);
        model.Derive(kT0);
        Lines lines;
        for (const Candidate& line : model.Lines())
            lines.push_back(line.name + " | " + SourceName(line.source));
        return lines;
    };
    EXPECT_EQ(offered("excel"), (Lines{"Tool palette | Window", "Budget.xlsx - Excel | Window",
                                       "Budget.xlsx - Excel | Window"}))
        << "by the program's name, whatever the title; two windows of one title are two lines";
    EXPECT_EQ(offered("bud"), (Lines{"Budget.xlsx - Excel | Window", "Budget.xlsx - Excel | Window"}));
    model.OnKey(ListKey::Down);
    model.OnKey(ListKey::Down);
    model.Fill(model.Highlight());
    const auto target = model.SwitchTargetFor("Budget.xlsx - Excel");
    ASSERT_TRUE(target);
    EXPECT_EQ(target->handle, 3u);
    EXPECT_FALSE(model.SwitchTargetFor("Budget.xlsx - Excel ")) << "once the text differs, an ordinary text";
    EXPECT_EQ(offered("pa"), (Lines{"Paperwork | Window", "Pal | Start menu", "Pages | Start menu", "Paint | Start menu",
                                    "Paint 3D | Start menu", "pad | App Paths", "Tool palette | Window"}))
        << "a window ranks after the history, before the Start menu";
}
