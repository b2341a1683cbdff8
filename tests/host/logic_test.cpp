// Small decisions: splitting a text, the examined text, the settings record, window placement, fixed texts.
#include "HostSupport.h"

#include "app/InstanceGuard.h"
#include "framework/Environment.h"
#include "framework/FileFilter.h"
#include "framework/NewestAnswer.h"
#include "keys/HotKey.h"
#include "paths/Respelling.h"
#include "settings/AliasTable.h"
#include "settings/StartWithWindows.h"
#include "text/NetworkPath.h"
#include "window/WindowPlacement.h"


TEST(SplitCommandText, ProgramsParametersQuotesShortcutsAndFinalBackslashes)
{
    const std::set<std::string> files = {"C:\\My Files\\notes.txt", "C:\\My Links\\App.LNK", "C:\\Old\\"};
    const FileSearch find = [&](const std::string& pattern, std::string*) { return files.count(pattern) > 0; };
    // The text (and a fallback other than itself), then the program, the parameters, and the part of the text
    // that named the program, which a launch selects.
    const char* const cases[][5] = {
        {"notepad", "", "notepad", "", "notepad"},
        {"notepad \"C:\\My Files\\a.txt\"", "", "notepad", " \"C:\\My Files\\a.txt\"", "notepad"},
        {"\"C:\\Program Files\\App\\app.exe\" -x", "", "C:\\Program Files\\App\\app.exe", " -x",
         "\"C:\\Program Files\\App\\app.exe\""},
        {"C:\\My Files\\notes.txt", "", "C:\\My Files\\notes.txt", "", "C:\\My Files\\notes.txt"},
        {"C:\\My Files\\notes.txt -p", "", "C:\\My", " Files\\notes.txt -p", "C:\\My"},
        {"write  a.txt  ", "", "write", "  a.txt", "write"},
        {"C:\\My Files\\", "", "C:\\My Files", "", "C:\\My Files\\"},
        {"C:\\Old\\", "", "C:\\Old\\", "", "C:\\Old\\"},
        {"app.exe", "FALLBACK", "FALLBACK", "", "app.exe"},
        // A shortcut stays itself, its arguments after it; unquoted, only an existing one keeps its blanks.
        {"\"C:\\Links\\Gone.lnk\" -x", "", "C:\\Links\\Gone.lnk", " -x", "\"C:\\Links\\Gone.lnk\""},
        {"C:\\My Links\\App.LNK -x y", "", "C:\\My Links\\App.LNK", " -x y", "C:\\My Links\\App.LNK"},
        {"C:\\My Links\\Gone.lnk -x", "", "C:\\My", " Links\\Gone.lnk -x", "C:\\My"},
    };
    for (const auto& c : cases) {
        const std::string t = c[0];
        const CommandSplit split = SplitCommandText(t, *c[1] ? c[1] : t, find);
        EXPECT_EQ(split.program + "|" + split.parameters + "|" + t.substr(0, split.typedLength),
                  std::string(c[2]) + "|" + c[3] + "|" + c[4])
            << t;
    }
}

TEST(CommandText, ExaminedTextFoldersAndNames)
{
    EXPECT_EQ(ExaminedText("  \"C:\\My Files\\a.txt\"  ", true), "C:\\My Files\\a.txt");
    EXPECT_EQ(ExaminedText("C:\\Windows\\", true), "C:\\Windows");
    EXPECT_EQ(ExaminedText(" C:\\Windows\\ ", false), " C:\\Windows\\ ");
    EXPECT_EQ(ExaminedText("notepad \"a b\"", true), "notepad \"a b\"");
    EXPECT_EQ(ExaminedText("   ", true), "");
    EXPECT_EQ(FolderOf("C:\\Tools\\x.exe"), "C:\\Tools");
    EXPECT_EQ(FolderOf("C:\\x.exe"), "C:\\") << "\"C:\" alone is drive C's current folder";
    EXPECT_EQ(NameOf("C:\\Tools\\x.exe"), "x.exe");
    EXPECT_EQ(QuoteIfBlank("C:\\My Files\\a.txt"), "\"C:\\My Files\\a.txt\"");
    EXPECT_EQ(QuoteIfBlank("C:\\Tools\\a.exe"), "C:\\Tools\\a.exe");
    EXPECT_EQ(BrowseStartFolder("C:\\My Files\\a.txt", "C:\\Desktop"), "C:\\My Files");
    EXPECT_EQ(BrowseStartFolder("", "C:\\Desktop"), "C:\\Desktop");
}

TEST(NetworkPath, UncPathsRemoteDrivesAndLinksThatLeadToEither)
{
    struct Probe : PathProbe {
        std::map<std::string, std::string> links = {
            {"C:\\Shares\\Docs", "\\??\\UNC\\server\\docs"},  // a junction to a share
            {"C:\\Shares\\Link", "Docs"},                      // a relative symbolic link to that junction
            {"C:\\Data", "\\??\\D:\\data"},                      // to another local drive
            {"D:\\data\\mapped", "\\\\?\\n:\\x"},                 // on to a mapped drive
            {"C:\\Loop", "\\??\\C:\\Loop"}};
        bool IsRemoteDrive(const std::string& root) override { return root == "n:\\"; }
        std::optional<std::string> LinkTarget(const std::string& path) override
        {
            const auto link = links.find(path);
            return link == links.end() ? std::nullopt : std::optional(link->second);
        }
    } probe;
    std::string remote;
    for (const char* path :
         {"\\\\server\\share\\x.exe", "//server/share", "n:\\tools\\x.exe", "C:\\Shares\\Docs\\a.txt",
          "C:\\Shares\\Docs", "C:\\Shares\\Link\\a.txt", "C:\\Data\\mapped\\y", "C:\\Shares\\Other\\a.txt",
          "C:\\Data\\local", "C:\\Loop\\x", "\\Windows\\notepad.exe", "notepad", ""}) {
        if (IsNetworkPath(path, probe))
            remote += std::string(remote.empty() ? "" : ", ") + path;
    }
    EXPECT_EQ(remote, "\\\\server\\share\\x.exe, //server/share, n:\\tools\\x.exe, C:\\Shares\\Docs\\a.txt, "
                      "C:\\Shares\\Docs, C:\\Shares\\Link\\a.txt, C:\\Data\\mapped\\y");
}

namespace {

// A link's data as the file system hands it over (REPARSE_DATA_BUFFER): tag, lengths, the names' places, a
// symbolic link's flags, then the names in UTF-16.
std::vector<unsigned char> ReparseData(unsigned long tag, const std::u16string& name, bool symbolic, bool relative)
{
    std::vector<unsigned char> data;
    const auto put = [&](unsigned long value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            data.push_back(static_cast<unsigned char>(value >> (8 * i)));
    };
    const unsigned long length = static_cast<unsigned long>(name.size() * 2);
    put(tag, 4);
    put(8 + (symbolic ? 4 : 0) + 2 * length, 2);
    put(0, 2);
    put(0, 2), put(length, 2), put(length, 2), put(length, 2);  // substitute name, then the same as print name
    if (symbolic)
        put(relative ? 1 : 0, 4);
    for (int twice = 0; twice < 2; ++twice) {
        for (char16_t unit : name)
            put(unit, 2);
    }
    return data;
}

}  // namespace

TEST(NetworkPath, TheLinksDataGivesItsTarget)
{
    const std::vector<std::pair<std::vector<unsigned char>, std::optional<std::u16string>>> cases = {
        {ReparseData(0xA0000003, u"\\??\\UNC\\server\\docs", false, false), u"\\??\\UNC\\server\\docs"},
        {ReparseData(0xA000000C, u"\\??\\D:\\d\u00E4ta", true, false), u"\\??\\D:\\d\u00E4ta"},
        {ReparseData(0xA000000C, u"..\\other", true, true), u"..\\other"},
        {ReparseData(0x80000017, u"C:\\x", false, false), std::nullopt},  // another kind of reparse point
    };
    for (const auto& [data, target] : cases)
        EXPECT_EQ(ReparseTarget(data.data(), data.size()), target);
    const std::vector<unsigned char> junction = ReparseData(0xA0000003, u"\\??\\C:\\x", false, false);
    EXPECT_EQ(ReparseTarget(junction.data(), 24), std::nullopt) << "a name past the data's end";
    EXPECT_EQ(ReparseTarget(junction.data(), 12), std::nullopt);
}

TEST(Environment, AFreshLogonsBlockReplacesTheUsersVariablesAndTheProcessKeepsItsOwn)
{
    const auto same = [](const std::string& a, const std::string& b) { return EqualsAsciiNoCase(a, b); };
    const Variables atStart = {"=C:=C:\\work", "Path=C:\\old", "USERNAME=me", "WINEPREFIX=/tmp/p", "GONE=1"};
    // The user removed GONE from the registry and changed PATH: a logon now gives neither GONE nor the process's
    // own variables, but GONE was the registry's at start.
    const Variables logonNow = {"PATH=C:\\new", "USERNAME=me", "NEW=2=3"};
    const std::vector<std::string> own = OwnVariables(atStart, logonNow, {"Path", "GONE"}, same);
    EXPECT_EQ(own, (std::vector<std::string>{"=C:", "WINEPREFIX"}));
    const EnvironmentChange change = ChangeTo(atStart, logonNow, own, same);
    EXPECT_EQ(change.set, logonNow);
    // Blocks made on threads that end in any order: an older one, or a failed one, never replaces a newer one.
    NewestAnswer<Variables> blocks;
    EXPECT_TRUE(blocks.Offer(2, Variables{"A=2"}));
    EXPECT_FALSE(blocks.Offer(1, Variables{"A=1"}));
    EXPECT_FALSE(blocks.Offer(3, std::nullopt));
    EXPECT_EQ(blocks.Take(), Variables{"A=2"});
    EXPECT_EQ(blocks.Take(), std::nullopt);
}

TEST(SettingsRecord, FirstRunDefaultsAreSavedUnderTheirNamesWithTheMarkerLast)
{
    MemoryProfileStore store;
    const auto load = [&] {
        SettingsRecord record;
        record.LoadSettings(store);
        return record;
    };
    load();
    const std::map<std::string, int> defaults = {
        {"MaxHistory", 30},   {"ClearHistoryAuto", 0}, {"StartAuto", 1},      {"StartMin", 0},
        {"ShowWindow", 1},    {"HideOnSuccess", 1},    {"SaveToFile", 0},     {"PutIconInTray", 1},
        {"PromptOnLogOff", 1}, {"PromptOnShutDown", 1}, {"PromptOnRestart", 1}, {"HotKey", 0x0652},
        {"WinR", 0},          {"Suggest", 1}};
    for (const auto& [name, value] : defaults)
        EXPECT_EQ(store.ReadInt("Settings", name, -1), value) << name;
    EXPECT_EQ(store.ReadString("Settings", "LogFile", "absent"), "");
    EXPECT_EQ(store.ValueNames("Settings").size(), 16u);
    EXPECT_EQ(store.writes.back() + ": " + store.ReadString("Settings", "Saved"), "Saved: Options saved");

    store.WriteInt("Settings", "PromptOnShutDown", 0);
    store.WriteString("Settings", "LogFile", "C:\\Logs\\h.txt");
    store.WriteInt("Settings", "Suggest", 0);
    store.DeleteValue("Settings", "HotKey");  // a profile from before the hotkey
    EXPECT_EQ(load().LogFile + " " + std::to_string(load().PromptOnShutDown) + " " + std::to_string(load().HotKey) +
                  " " + std::to_string(load().Suggest), "C:\\Logs\\h.txt 0 1618 0");
    store.DeleteValue("Settings", "Suggest");  // and from before suggestions
    EXPECT_EQ(load().Suggest, 1);

    store.WriteString("Settings", "Saved", "options saved");  // the marker compares exactly
    EXPECT_EQ(load().PromptOnShutDown, 1);
}

TEST(Start, TheRunValueIsQuotedAndRewrittenWhenItNamesNoFileOrThisCopyUnquotedAndAGuardThatCannotBeOpenedIsAnotherCopy)
{
    const std::string self = "C:\\Program Files\\Velquin\\Velquin.exe";
    EXPECT_EQ(RunCommandOf(self), "\"C:\\Program Files\\Velquin\\Velquin.exe\"");
    const std::string local = "C:\\Users\\Me\\AppData\\Local";
    const std::set<std::string> files = {self, "D:\\My Tools\\Velquin.exe", local + "\\Velquin\\Velquin.exe"};
    RunValueSystem system;
    system.exists = [&](const std::string& path) { return files.count(path) > 0; };
    system.expandReferences = [&](std::string text) {
        for (const auto& [name, value] : std::map<std::string, std::string>{{"%LOCALAPPDATA%", local},
                                                                             {"%ProgramFiles%", "C:\\Program Files"}}) {
            if (const size_t at = text.find(name); at != std::string::npos)
                text.replace(at, name.size(), value);
        }
        return text;
    };
    system.same = HostSameText;
    using Value = std::optional<StoredRunValue>;
    const auto text = [](const std::string& text) { return Value(StoredRunValue{text, false}); };
    const auto expandable = [](const std::string& text) { return Value(StoredRunValue{text, true}); };
    std::string written;
    for (const Value& value : {Value(), text("\"C:\\Program Files\\Velquin\\Velquin.exe\""),
                               text("\"c:\\program files\\velquin\\VELQUIN.EXE\""),
                               text("C:\\Program Files\\Velquin\\Velquin.exe"),
                               expandable("%ProgramFiles%\\Velquin\\Velquin.exe"),
                               expandable("\"%ProgramFiles%\\Velquin\\Velquin.exe\""),
                               text("D:\\My Tools\\Velquin.exe"),
                               expandable("\"%LOCALAPPDATA%\\Velquin\\Velquin.exe\""),
                               text("\"C:\\Gone\\Velquin.exe\" -x"), text("")})
        written += RunValueNeedsWriting(value, self, system) ? "w" : "-";
    EXPECT_EQ(written, "w--ww---ww") << "missing; this copy quoted, in other letters; this copy unquoted, expanded; "
                                        "expanded and quoted; another copy from before the quotes, expanded; gone; "
                                        "empty";

    // The guard exists; access to it is denied, as when the other copy runs as administrator; none; no resources.
    EXPECT_EQ(std::to_string(AnotherCopyRuns(183)) + std::to_string(AnotherCopyRuns(5)) +
                  std::to_string(AnotherCopyRuns(0)) + std::to_string(AnotherCopyRuns(1450)), "1100");
}

TEST(WindowPlacement, StaysWhereItWasMovesOntoTheNearestScreenOrOpensCentred)
{
    // Two monitors side by side, each with a taskbar at the bottom.
    const std::vector<MonitorArea> screens = {{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}},
                                              {{1920, 0, 3200, 1024}, {1920, 0, 3200, 984}}};
    const auto placed = [&](long long x, long long y) {
        const auto place = PlaceOnScreen({x, y}, 600, 200, screens);
        return place ? std::to_string(place->x) + "," + std::to_string(place->y) : "centred";
    };
    EXPECT_EQ(placed(100, 100), "100,100");
    EXPECT_EQ(placed(1500, 100), "1320,100");
    EXPECT_EQ(placed(1800, 100), "1920,100");
    EXPECT_EQ(placed(2000, 900), "2000,784");
    EXPECT_EQ(placed(-1, 100000), "centred");  // Left stored as 4294967295
    EXPECT_EQ(placed(3200, 100), "centred");
}

TEST(WindowPlacement, AStoredPlaceIsInWorkspaceCoordinatesWhereverTheTaskbarIsAndZeroIsAPlace)
{
    // The taskbar 40 pixels high at the top of the first monitor, 60 wide at the left of the second.
    const std::vector<MonitorArea> screens = {{{0, 0, 1920, 1080}, {0, 40, 1920, 1080}},
                                              {{1920, 0, 3200, 1024}, {1980, 0, 3200, 1024}}};
    const auto area = [](const MonitorArea& monitor) {
        const ScreenRect r = WorkspaceArea(monitor);
        return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
               std::to_string(r.bottom);
    };
    EXPECT_EQ(area(screens[0]), "0,0,1920,1040");
    EXPECT_EQ(area(screens[1]), "1920,0,3140,1024");
    const auto placed = [&](long long x, long long y) {
        const auto place = PlaceOnScreen({x, y}, 600, 200, screens);
        return place ? std::to_string(place->x) + "," + std::to_string(place->y) : "centred";
    };
    EXPECT_EQ(placed(0, 0), "0,0") << "flush with the taskbar, where the window was";
    EXPECT_EQ(placed(300, 900), "300,840") << "the work area ends 40 pixels above the screen's bottom";
    EXPECT_EQ(placed(2800, 500), "2540,500");

    MemoryProfileStore profile;
    const auto stored = [&] {
        const auto place = StoredPlace(profile);
        return place ? std::to_string(place->x) + "," + std::to_string(place->y) : "none";
    };
    EXPECT_EQ(stored(), "none");
    profile.WriteInt("Window", "Left", 0);
    EXPECT_EQ(stored(), "none") << "without Top";
    profile.WriteInt("Window", "Top", 0);
    EXPECT_EQ(stored(), "0,0");
    profile.WriteInt("Window", "Left", -1);
    profile.WriteInt("Window", "Top", 100000);
    EXPECT_EQ(stored(), "-1,100000");
}

TEST(Texts, TheLogTheBrowseFilterAndTheRunHistoryCommands)
{
    EXPECT_EQ(HistoryLogText({"notepad", "write"}), "[Velquin History]\r\n\r\nFile #1: notepad\r\nFile #2: write\r\n");
    EXPECT_EQ(PlaceholderLogText(), "[Velquin History]\r\n\r\nNo items have been added yet.\r\n");
    EXPECT_EQ(std::string(kBrowseFilter),
              "Programs|*.exe;*.bat;*.com;*.dll|Compessed Files|*.zip;*.tar;*.gz;*.arj|Images|*.jpg;*.gif;*.bmp;"
              "*.png;*.ico;*.dib|Internet Documents|*.htm;*.html;*.shtml;*.url;*.pdf|Microsoft Office Documents|"
              "*.doc;*.ppt;*.dot;*.xls;*.mdb;*.xlc;*.msg;*.oft;*.rtf|Media Files|*.ram;*.rmm;*.ra;*.rmd;*.wav;*.mp3;"
              "*.mpeg;*.avi;*.mid;*.midi;*.swf|All Files |*.*||");
    EXPECT_EQ(FilterFromBars("All|*.*||"), std::string("All\0*.*\0\0", 9));
    EXPECT_EQ(RunHistoryCommand("C:\\Tools\\tool.exe\\1"), "C:\\Tools\\tool.exe");
    EXPECT_EQ(RunHistoryCommand("nobackslash"), "");
    const std::string cyrillic = "C:\\\xD0\xAE\xD0\xBD";  // "C:\Юн", each letter two bytes and one UTF-16 unit
    EXPECT_EQ(Utf16Length(cyrillic), 5u);
    EXPECT_EQ(Utf16Offset(cyrillic, 5) * 10 + Utf8Offset(cyrillic, 4), 45u);
    EXPECT_EQ(Utf16Length("\xF0\x9F\x98\x80\xFF"), 3u) << "a pair beyond 0xFFFF, and a stray byte";
    EXPECT_EQ(Utf16("\xD0\xAE\xF0\x9F\x98\x80\xFF"), (std::u16string{0x42E, 0xD83D, 0xDE00, 0xFFFD}));
}

TEST(HotKey, TheControlsValueBecomesTheSystemsKeysAndWinRIsTakenOnlyFromItsOwnPressAndForgotten)
{
    EXPECT_EQ(SplitHotKey(0x0652).modifiers, 0x4003u) << "Ctrl and Alt, no repeat";
    EXPECT_EQ(SplitHotKey(0x0652).key, 0x52u);
    EXPECT_EQ(SplitHotKey(0x0174).modifiers, 0x4004u) << "Shift";
    EXPECT_EQ(HotKeyText(0x0174, "F5"), "Shift+F5");

    WinRShortcut keys(500);  // no repeat comes more than 500 ms after the key before
    std::string verdicts;
    unsigned long now = 0;
    const auto key = [&](unsigned code, bool down, unsigned held, unsigned long after = 30) {
        verdicts += "PSO"[static_cast<int>(keys.OnKey(code, down, held, now += after))];
    };
    const unsigned R = 0x52, win = kWinHeld;
    key(R, true, 0), key(R, false, 0);                            // R alone
    key(R, true, win | kShiftHeld), key(R, false, win | kShiftHeld);
    key(0x45, true, win), key(0x45, false, win);                  // Win+E
    key(0x5B, true, 0);                                           // the Win key itself
    key(R, true, win), key(R, true, win);                         // Win+R, then its repeat
    key(R, false, 0);                                             // released after the Win key
    EXPECT_EQ(verdicts, "PPPPPPPOSS");
    verdicts.clear();
    key(R, true, 0), key(0x5B, true, 0), key(R, true, win), key(R, false, win);  // R held before Win
    EXPECT_EQ(verdicts, "PPPP") << "its repeat and release go where its press went";
    verdicts.clear();
    key(R, true, win), key(R, true, 0, 5000), key(R, false, 0);  // taken; released on the lock screen
    key(R, true, win), key(0x41, true, 0), key(R, true, 0);      // taken; another key, then an R alone
    EXPECT_EQ(verdicts, "OPPOPP");
}

TEST(HotKey, WinRIsSetAnewAfterAResumeOrAnUnlockOfTheSession)
{
    const unsigned power = 0x0218, session = 0x02B1;  // WM_POWERBROADCAST, WM_WTSSESSION_CHANGE
    std::string renews;
    // PBT_APMRESUMEAUTOMATIC, PBT_APMRESUMESUSPEND, PBT_APMSUSPEND, PBT_APMPOWERSTATUSCHANGE
    for (const std::uintptr_t kind : {0x12, 0x07, 0x04, 0x0A})
        renews += RenewsWinRHook(power, kind) ? "r" : "-";
    renews += " ";
    // WTS_SESSION_UNLOCK, WTS_SESSION_LOCK, WTS_SESSION_LOGON, WTS_CONSOLE_CONNECT
    for (const std::uintptr_t kind : {0x8, 0x7, 0x5, 0x1})
        renews += RenewsWinRHook(session, kind) ? "r" : "-";
    renews += RenewsWinRHook(0x0113, 0x12) ? " r" : " -";  // WM_TIMER
    EXPECT_EQ(renews, "rr-- r--- -");
}

TEST(AppPathTables, ANameInBothIsListedOnceAsTheUsers)
{
    std::vector<std::string> lines;
    const std::vector<std::string> machine = {"notepad.exe", "Tool.exe", "\xC3\xA4.exe"};  // ä, and Ä below
    const std::vector<std::string> user = {"TOOL.EXE", "mine.exe", "\xC3\x84.EXE"};
    for (const ListedAppPath& entry : MergeAppPathNames(machine, user, HostSameText))
        lines.push_back(entry.name + (entry.table == AppPathTable::User ? " (user)" : ""));
    EXPECT_EQ(lines,
              (std::vector<std::string>{"TOOL.EXE (user)", "mine.exe (user)", "\xC3\x84.EXE (user)", "notepad.exe"}));
}

namespace {

// One App Paths table in memory: names compared as the registry compares them, each key's values (a subkey's
// as "subkey\\value", the mark as "Velquin unfinished"). Each call is a point, and so is each value a copy makes
// or a deletion takes, and the emptied key's removal. Point `failing` fails alone, and every point from
// `failingOn`: its call stops there and says false. From point `crash` on nothing happens, as after a crash.
class FakeEntryKeys : public EntryKeys {
public:
    using Values = std::map<std::string, std::string>;
    bool renames = false;  // whether the system renames keys in one step
    int failing = -1, failingOn = -1, crash = -1;

    void Add(const std::string& name, const Values& values) { keys_.push_back({name, values}); }
    // Every key as "name: value=data value=data" (the default value as @), in the order made.
    std::string Listing() const
    {
        std::string listing;
        for (const auto& [name, values] : keys_) {
            listing += (listing.empty() ? "" : " | ") + name + ":";
            for (const auto& value : values)
                listing += " " + (value.first.empty() ? "@" : value.first) + "=" + value.second;
        }
        return listing;
    }
    // The names of the keys that hold exactly these values.
    std::string Holding(const Values& values) const
    {
        std::string names;
        for (const auto& key : keys_)
            names += key.second == values ? key.first + ";" : "";
        return names;
    }
    int Points() const { return points_; }

    bool Exists(const std::string& name) override { return Next() && Find(name); }
    bool CopyTree(const std::string& from, const std::string& to) override
    {
        const Key* source = Next() ? Find(from) : nullptr;
        if (!source)
            return false;
        const Values copied = source->second;
        if (!Find(to))
            keys_.push_back({to, {}});
        for (const auto& value : copied) {
            if (!Next())
                return false;
            Find(to)->second[value.first] = value.second;
        }
        return true;
    }
    bool DeleteTree(const std::string& name) override
    {
        if (!Next())
            return !Find(name);
        for (Key* key = Find(name); key; key = Find(name)) {
            if (!Next())
                return false;
            if (key->second.empty())
                keys_.erase(keys_.begin() + (key - keys_.data()));
            else
                key->second.erase(key->second.begin());
        }
        return true;
    }
    bool Rename(const std::string& from, const std::string& to) override
    {
        Key* key = Next() && renames ? Find(from) : nullptr;
        if (key)
            key->first = to;
        return key != nullptr;
    }
    bool Mark(const std::string& name, bool marked) override
    {
        Key* key = Next() ? Find(name) : nullptr;
        if (key && marked)
            key->second["Velquin unfinished"] = "1";
        return key && (marked || key->second.erase("Velquin unfinished") == 1);
    }
    bool Marked(const std::string& name) override
    {
        const Key* key = Next() ? Find(name) : nullptr;
        return key && key->second.count("Velquin unfinished") == 1;
    }

private:
    using Key = std::pair<std::string, Values>;

    // Whether the next point happens.
    bool Next()
    {
        const int point = points_++;
        return (crash < 0 || point < crash) && point != failing && (failingOn < 0 || point < failingOn);
    }
    Key* Find(const std::string& name)
    {
        const auto found = std::find_if(keys_.begin(), keys_.end(),
                                        [&](const Key& key) { return HostSameText(key.first, name); });
        return found == keys_.end() ? nullptr : &*found;
    }
    const Key* Find(const std::string& name) const { return const_cast<FakeEntryKeys*>(this)->Find(name); }

    std::vector<Key> keys_;
    int points_ = 0;
};

}  // namespace

TEST(AppPathTables, ARespellingKeepsTheEntryWhateverStepsFailOrWhereACrashStopsItAndTheNextOnePutsItBack)
{
    const FakeEntryKeys::Values notepad = {{"", "C:\\Windows\\notepad.exe"}, {"Path", "C:\\Windows"},
                                           {"UseUrl", "dword:1"}, {"shell\\open", "x"}};
    const std::string parked = "Velquin respelling notepad.exe";
    // Before: the entry alone, its copy parked by a crash alone, or both.
    const std::vector<std::vector<std::string>> befores = {{"notepad.exe"}, {parked}, {"notepad.exe", parked}};
    for (const bool renames : {false, true}) {
        for (const auto& before : befores) {
            // A respelling in trouble says true only with the entry whole under its new spelling; the next one,
            // in none, leaves the entry so, alone and unmarked. How many points the first took.
            const auto respell = [&](int failing, int failingOn, int crash) {
                FakeEntryKeys keys;
                keys.renames = renames;
                keys.failing = failing;
                keys.failingOn = failingOn;
                keys.crash = crash;
                for (const std::string& name : before)
                    keys.Add(name, notepad);
                const bool respelt = RespellEntry(keys, "notepad.exe", "Notepad.exe");
                const int points = keys.Points();
                const std::string seen = std::string(renames ? "renames, " : "") + before.back() + ", failing " +
                                         std::to_string(failing) + ", from " + std::to_string(failingOn) +
                                         ", crash at " + std::to_string(crash) + ": " + keys.Listing();
                // With the entry alone before and at most one point failing, the entry is whole under one of its
                // spellings after it too.
                const bool calm = before.size() == 1 && before[0] == "notepad.exe" && failingOn < 0 &&
                                  (crash < 0 || points <= crash);
                if (respelt || calm) {
                    EXPECT_NE((";" + keys.Holding(notepad)).find(respelt ? ";Notepad.exe;" : ";notepad.exe;"),
                              std::string::npos)
                        << seen;
                }

                keys.failing = keys.failingOn = keys.crash = -1;
                EXPECT_TRUE(RespellEntry(keys, "notepad.exe", "Notepad.exe")) << seen;
                EXPECT_EQ(keys.Listing(), "Notepad.exe: @=C:\\Windows\\notepad.exe Path=C:\\Windows "
                                          "UseUrl=dword:1 shell\\open=x")
                    << seen;
                return points;
            };
            // No point failing or one, then a crash at every later point, till the run ends before it.
            for (int failing = -1;; ++failing) {
                int points = 0;
                for (int crash = failing + 1; (points = respell(failing, -1, crash)) > crash; ++crash) {
                }
                if (points <= failing)
                    break;
            }
            for (int failingOn = 0; respell(-1, failingOn, -1) > failingOn; ++failingOn) {
            }
        }
    }

    // An unmarked copy parked beside the entry is a leftover: the entry, edited since, stays as it is.
    FakeEntryKeys edited;
    edited.Add(parked, notepad);
    edited.Add("notepad.exe", {{"", "D:\\notepad.exe"}});
    EXPECT_TRUE(RespellEntry(edited, "notepad.exe", "NOTEPAD.EXE"));
    EXPECT_EQ(edited.Listing(), "NOTEPAD.EXE: @=D:\\notepad.exe");

    // The parked name is a key name too, of at most 255 UTF-16 units: "Velquin respelling " and 236 more.
    std::string fits;
    for (int i = 0; i < 232; ++i)
        fits += "\xC3\xA4";  // ä: two bytes, one unit
    const std::string tooLong = fits + "\xC3\xA4.exe";
    fits += ".exe";
    std::string respelt;
    for (const bool renames : {false, true}) {
        for (const std::string& name : {fits, tooLong}) {
            FakeEntryKeys keys;
            keys.renames = renames;
            keys.Add(name, notepad);
            const std::string upper = "\xC3\x84" + name.substr(2);  // Ä
            respelt += RespellEntry(keys, name, upper) ? "y" : "n";
            respelt += keys.Holding(notepad) == upper + ";" ? "U " : keys.Holding(notepad) == name + ";" ? "L " : "? ";
        }
    }
    EXPECT_EQ(respelt, "yU nL yU yU ") << "through a copy only when the parked name fits; renamed in place always";
}

TEST(Aliases, ThePlaceholdersAreFilledQuotedOrEncodedAsTheTemplateAsks)
{
    // Arguments split as the system splits those after a program's name, the first token included.
    EXPECT_EQ(AliasArguments(R"(a "b c" d\"e "f""g" h\\"i j" \\k)"),
              (std::vector<std::string>{"a", "b c", "d\"e", "f\"g", "h\\i j", "\\\\k"}));
    EXPECT_TRUE(AliasArguments("  \t ").empty());

    EXPECT_EQ(ExpandAlias("https://example.com/?q={*}", "c++ lambda"), "https://example.com/?q=c%2B%2B%20lambda");
    EXPECT_EQ(ExpandAlias("https://example.com/{1}/{2}?x={3}", "\xC3\xA4 b~c"), "https://example.com/%C3%A4/b~c?x=");
    EXPECT_EQ(ExpandAlias("notepad.exe", "a.txt"), "notepad.exe a.txt");
    EXPECT_EQ(ExpandAlias("notepad.exe", ""), "notepad.exe");
    EXPECT_EQ(ExpandAlias("copy {1} {2} {3}", "\"my file.txt\" D:\\"), "copy \"my file.txt\" D:\\ ");
    EXPECT_EQ(ExpandAlias("cmd /k echo {*}", "a  \"b c\""), "cmd /k echo a  \"b c\"");
    EXPECT_EQ(ExpandAlias("x {{{1}}} {x} {0}", "y"), "x {y} {x} {0}");
    // A colon after the first placeholder, or a one-letter scheme (a drive), is no URL.
    EXPECT_EQ(ExpandAlias("C:\\Tools\\{1}.exe", "\"a b\""), "C:\\Tools\\\"a b\".exe");
    EXPECT_EQ(ExpandAlias("{1}:x", "a+b"), "a+b:x");
}

TEST(Aliases, AKeywordIsTypedAloneOrBeforeABlankInAnyLetterCaseAndStoredAtOnce)
{
    MemoryProfileStore store;
    AliasTable table(store, FoldUpper);
    EXPECT_TRUE(table.Put({"g", "https://example.com/?q={*}"}));
    EXPECT_TRUE(table.Put({"NP", "notepad.exe"}));
    const std::optional<AliasUse> use = table.UseIn("G  c++ lambda");
    ASSERT_TRUE(use);
    EXPECT_EQ(use->keyword + "|" + use->rest + "|" + use->expansion, "g|c++ lambda|https://example.com/?q=c%2B%2B%20lambda");
    EXPECT_EQ(table.UseIn("np")->expansion, "notepad.exe");
    EXPECT_FALSE(table.UseIn("gx c"));
    EXPECT_FALSE(table.UseIn(" g"));

    // Refused keywords, and the reasons given.
    for (const char* keyword : {"", "a b", "a=b", "a;b", "a[b", "a%b", "a\"b", "a\\b"})
        EXPECT_TRUE(KeywordRefusal(keyword)) << keyword;
    EXPECT_EQ(KeywordRefusal(std::string(33, 'k')).value_or(""), "A keyword has at most 32 characters.");
    EXPECT_FALSE(KeywordRefusal(std::string(32, 'k')));
    EXPECT_FALSE(table.Put({"ok", ""}));
    EXPECT_FALSE(table.Put({"ok", std::string(260, 't')})) << "longer than a value holds";

    // What OK in the alias dialog does: refuse and say why, ask before replacing another alias, or write.
    const auto check = [&](const char* keyword, const char* aliasTemplate, const char* edited) {
        const AliasTable::Check result = table.CheckEdit({keyword, aliasTemplate}, edited);
        return result.refusal.value_or("") + "|" + result.replaces.value_or("");
    };
    EXPECT_EQ(check("a b", "x", ""), "A keyword cannot hold a blank.|");
    EXPECT_EQ(check("a\\b", "x", ""), "A keyword cannot hold \\.|");
    EXPECT_EQ(check("new", "", ""), "An alias needs a template: the text its keyword stands for.|");
    EXPECT_EQ(check("np", "x", ""), "|NP") << "a new alias of a keyword that exists";
    EXPECT_EQ(check("np", "x", "g"), "|NP") << "another alias renamed to it";
    EXPECT_EQ(check("Np", "x", "NP"), "|") << "the edited alias in another letter case";
    EXPECT_EQ(check("new", "x", ""), "|");

    // A change of letter case respells; an edit that renames takes the old name away.
    EXPECT_TRUE(table.Put({"Np", "notepad.exe -x"}, "NP"));
    EXPECT_EQ(store.ValueNames("Aliases"), (std::vector<std::string>{"g", "Np"}));
    EXPECT_TRUE(table.Put({"n", "notepad.exe"}, "Np"));
    EXPECT_TRUE(table.Remove("g"));
    EXPECT_EQ(store.ValueNames("Aliases"), (std::vector<std::string>{"n"}));
    EXPECT_EQ(store.ReadString("Aliases", "n"), "notepad.exe");
}
