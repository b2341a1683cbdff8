// The launch, the history it records, the control rules and the menu commands, apart from any window.
#include "HostSupport.h"

#include "res/resource.h"

using Control = LauncherWindow::Control;

namespace {

template <typename Command, size_t N>
const Command& ById(const Command (&table)[N], int id)
{
    const Command* found = std::find_if(table, table + N, [id](const Command& c) { return c.id == id; });
    EXPECT_NE(found, table + N) << "no command has the id " << id;
    return found == table + N ? table[0] : *found;
}

}  // namespace

TEST_F(LauncherTest, ASuccessRecordsTheTextOnceNewestFirstUnlessTooLongAndPutsTheWindowAway)
{
    KeepLog();
    store.WriteString("Velquin MRU", "File #1", "write");
    store.WriteString("Velquin MRU", "File #3", "NOTEPAD");  // a gap the history editor left
    history.LoadMRU();
    Launch("  notepad  ");
    EXPECT_EQ(system.opened.at(0).program + "|" + system.opened[0].parameters + "|" +
                  std::to_string(system.opened[0].showCommand), "notepad||1");
    EXPECT_EQ(combo.items, (std::vector<std::string>{"notepad", "write"}));
    EXPECT_EQ(store.ValueNames("Velquin MRU").size(), 2u);
    EXPECT_EQ(store.ReadString("Settings", "Config"), "Not Cleared");
    EXPECT_EQ(ReadBytes(logPath), "[Velquin History]\r\n\r\nFile #1: notepad\r\nFile #2: write\r\n");
    EXPECT_TRUE(window.enabled[Control::ClearHistory]);
    EXPECT_EQ(window.selection, std::make_pair(0, 7));
    EXPECT_EQ(window.shown, ui::Show::Hide);

    // Beyond A-Z the system's rule decides: ä and Ä are one letter.
    for (const char* typed : {"C:\\\xC3\xA4rger.exe", "c:\\\xC3\x84RGER.EXE"}) {
        Launch(typed);
    }
    EXPECT_EQ(combo.items, (std::vector<std::string>{"c:\\\xC3\x84RGER.EXE", "notepad", "write"}));
    EXPECT_EQ(Said(), "");

    Set("SaveToFile", 0);  // a log the user no longer keeps is left as it is
    WriteLogFile(logPath, "before");
    Launch("write");
    EXPECT_EQ(ReadBytes(logPath), "before");

    // A text too long to store is launched, but never replaces or repeats an entry.
    const std::string path = "C:\\Some Folder\\" + std::string(240, 'x') + ".exe";  // 259, put in quotes
    Type("\"" + path + "\"");
    g_traced.clear();
    launcher.OnLaunch();
    EXPECT_EQ(system.opened.back().program, path);
    EXPECT_EQ(combo.items, (std::vector<std::string>{"write", "c:\\\xC3\x84RGER.EXE", "notepad"}));
    EXPECT_EQ(store.ValueNames("Velquin MRU").size(), 3u);
    EXPECT_EQ(g_traced, (std::vector<std::string>{"CMRUComboBox -- AddToMRU() - text longer than 259 "
                                                       "characters not added: the profile cannot hold it.\n"}));
}

TEST_F(LauncherTest, ReferencesAreFilledInAfterTheSplitTheHistoryKeepsThemAsTypedAndTheFolderIsTheProgramsOwn)
{
    system.files = {"C:\\windows\\notepad.exe"};
    Launch("%ProgramFiles%\\App\\app.exe -x %WINDIR%");
    const OpenRequest& opened = system.opened.back();
    EXPECT_EQ(opened.program + "|" + opened.parameters + "|" + opened.directory,
              "C:\\Program Files\\App\\app.exe| -x C:\\windows|C:\\Program Files\\App");
    EXPECT_EQ(combo.items.front(), "%ProgramFiles%\\App\\app.exe -x %WINDIR%");
    EXPECT_EQ(window.selection, std::make_pair(0, 26)) << "the program as it stands in the box";
    TypeAndEdit("%WINDIR%\\notepad.exe");
    EXPECT_TRUE(window.enabled[Control::AddToPath]) << "the examined text is filled in too";

    // The working directory: the program's folder, or else its App Paths entry's; a shortcut's own "Start in".
    system.appPathDirs = {{"notepad", "C:\\Editors"}};
    for (const auto& [typed, directory] : {std::pair{"notepad", "C:\\Editors"}, {"C:\\x.exe", "C:\\"}, {"write", ""},
                                           {"\"%WINDIR%\\Work.Lnk\"", ""}}) {
        Launch(typed);
        EXPECT_EQ(system.opened.back().directory, directory) << typed;
    }
}

TEST_F(LauncherTest, PuttingAwayHidesOnlyWhenTheTrayIconCanBringTheWindowBack)
{
    const std::tuple<int, bool, ui::Show> cases[] = {
        {1, false, ui::Show::Minimize}, {0, true, ui::Show::Minimize}, {1, true, ui::Show::Hide}};
    for (const auto& [tray, icon, shown] : cases) {
        Set("PutIconInTray", tray);
        window.trayIcon = icon;
        Launch("notepad");
        EXPECT_EQ(window.shown, shown);
    }
}

TEST_F(LauncherTest, AFailureIsShownWithTheWindowHiddenAndChangesNothing)
{
    KeepLog();
    WriteLogFile(logPath, "before");
    history.AddToMRU("write");
    store.WriteString("Settings", "Config", "Cleared");
    Type(" notepad \"C:\\My Files\\a.txt\" ");
    system.results["notepad"] = {2, 2};
    launcher.OnLaunch();
    EXPECT_TRUE(window.messages.at(0).windowHidden);
    EXPECT_EQ(Said(), "C:\\My Files\\a.txt | Could not find the file 'C:\\My Files\\a.txt' (or one of its "
                      "components).  Check your path and make sure that all required libraries are available. | 0x10");
    EXPECT_EQ(window.shows, (std::vector<ui::Show>{ui::Show::Hide, ui::Show::Normal}));
    EXPECT_EQ(combo.items, (std::vector<std::string>{"write"}));
    EXPECT_EQ(store.ReadString("Settings", "Config"), "Cleared");
    EXPECT_EQ(ReadBytes(logPath), "before");
}

TEST_F(LauncherTest, TheShellsAnswerDecidesTheLastErrorOnlyNamesAFailureAndADeclinedPromptLeavesNoTrace)
{
    const std::pair<OpenResult, const char*> cases[] = {
        {{42, 2}, ""},
        {{3, 3}, "Could not find the file 'x' (or one of its components)."},
        {{2, 5}, "Access was denied to the file 'x'."},
        {{8, 8}, "The system is out of resources.  Quit all running programs and try again."},
        {{26, 0}, "A sharing violation has occured. 'x' might be in use."},
        {{2, 193}, "x is not a valid Win32 application."},
        {{31, 0}, "'x' does not have a program associated with it for performing this action.  Create an "
                  "association in My Computer be clicking View and then Folder Options."},
    };
    for (const auto& [result, expected] : cases) {
        system.results["x"] = result;
        Launch("x");
        const std::string said = Said();  // "x | " and the text
        EXPECT_EQ(said.empty() ? "" : said.substr(4, std::string(expected).size()), expected) << result.returnValue;
    }
    // As administrator, the shell is asked to "runas"; a declined prompt leaves no trace.
    const std::vector<std::string> before = combo.items;
    window.shows.clear();
    Type("notepad");
    system.results["notepad"] = {5, 1223};  // ERROR_CANCELLED: the user said no at the prompt
    launcher.OnLaunch(true);
    EXPECT_TRUE(system.opened.back().elevated && combo.items == before && window.shows.empty() && Said().empty());
    system.results.clear();
    launcher.OnLaunch(true);
    EXPECT_EQ(combo.items.front(), "notepad");
}

TEST_F(LauncherTest, AddToMyPathEntersTheLaunchedFileOnlyWhenCheckedAndArmed)
{
    system.files = {"C:\\Tools\\tool.exe"};
    Type("C:\\Tools\\tool.exe");
    for (const auto& [checked, armed] : {std::pair{true, false}, {false, true}, {true, true}}) {
        window.checked = checked;
        if (armed)
            addToPath.Arm();
        launcher.OnLaunch();
    }
    // A shortcut enters its target, when that exists.
    system.files.insert({"C:\\Menu\\Tool.lnk", "C:\\Menu\\Gone.lnk"});
    system.shortcutTargets = {{"C:\\Menu\\Tool.lnk", "C:\\Tools\\tool.exe"}, {"C:\\Menu\\Gone.lnk", "C:\\x.exe"}};
    Launch("C:\\Menu\\Tool.lnk");
    Launch("C:\\Menu\\Gone.lnk");
    ASSERT_EQ(system.written.size(), 2u);
    for (const AppPathEntry& written : system.written)
        EXPECT_EQ(written.name + "|" + written.programPath + "|" + written.workingDirectory,
                  "tool.exe|C:\\Tools\\tool.exe|C:\\Tools");
    EXPECT_EQ(Said(), "");
    system.refuseAppPaths = true;
    Launch("C:\\Tools\\tool.exe");
    EXPECT_EQ(Said(), "Velquin | The entry 'tool.exe' could not be saved: Windows refused the change to both the "
                      "machine's App Paths and your own. | 0x30");
}

TEST_F(LauncherTest, OpenLastItemLaunchesRecordsAndNamesTheNewestEntryAndLeavesTheBoxAlone)
{
    launcher.OnOpenLastItem();
    EXPECT_EQ(Said(), "Velquin | There is no item to open. | 0x30");
    history.AddToMRU("write");
    history.AddToMRU("\"C:\\Program Files\\App\\app.exe\" -x");
    Type("\"C:\\x y\\z.exe\"");
    launcher.OnOpenLastItem();
    EXPECT_EQ(system.opened.at(0).program + "|" + system.opened[0].parameters, "C:\\Program Files\\App\\app.exe| -x");
    EXPECT_EQ(combo.items, (std::vector<std::string>{"\"C:\\Program Files\\App\\app.exe\" -x", "write"}));
    EXPECT_EQ(combo.edit, "\"C:\\x y\\z.exe\"");
    EXPECT_EQ(window.selection, std::make_pair(-1, -1));
    system.results["C:\\Program Files\\App\\app.exe"] = {2, 2};
    launcher.OnOpenLastItem();
    EXPECT_EQ(window.messages.at(0).caption, "C:\\Program Files\\App\\app.exe") << "its failure names it";
    // The box's "Add to my path" is about the box's text: the newest entry's program is not entered.
    system.results.clear();
    system.files = {"C:\\Program Files\\App\\app.exe"};
    window.checked = true;
    addToPath.Arm();
    launcher.OnOpenLastItem();
    EXPECT_TRUE(system.written.empty());
}

TEST_F(LauncherTest, ALaunchFromTheBoxTeachesWhatWasTypedAndWhatRanOnlyWhenItSucceeds)
{
    std::vector<std::string> learnt;
    launcher.LearnWith([&](const std::string& typed, const std::string& launched) {
        learnt.push_back(typed + "|" + launched);
    });
    Type(" notepad ");
    launcher.OnLaunch(false, "no");
    Launch("calc");
    system.results["missing"] = {2, 2};
    Type("missing");
    launcher.OnLaunch(false, "mi");
    launcher.OnOpenLastItem();  // not the box's text
    // A launch that waits on the network teaches when it succeeds, even after another one.
    system.files = {"\\\\server\\share\\x.exe"};
    Type("\\\\server\\share\\x.exe");
    launcher.OnLaunch(false, "\\\\s");
    Launch("write");
    const auto& [id, request] = window.backgroundLaunches.at(0);
    launcher.OnLaunchFinished(id, PerformLaunch(request, system));
    EXPECT_EQ(learnt, (std::vector<std::string>{"no|notepad", "calc|calc", "write|write",
                                                "\\\\s|\\\\server\\share\\x.exe"}));
}

TEST_F(LauncherTest, ClearHistoryAsksWithNoAsTheDefaultAndClearingQuietlyDoesNotAsk)
{
    history.AddToMRU("notepad");
    learning.Record("no", "notepad", 1800000000);
    window.answer = ui::kAnswerNo;
    commands.ClearHistory();
    EXPECT_EQ(Said(), "Velquin | This action will delete all items in your history folder.  Do you wish to continue? "
                      "| 0x124");
    EXPECT_EQ(combo.items.size(), 1u);
    window.answer = ui::kAnswerYes;
    commands.ClearHistory();
    EXPECT_TRUE(combo.items.empty() && store.ValueNames("Velquin MRU").empty());
    EXPECT_TRUE(learning.Records().empty() && store.ValueNames("Learning").empty()) << "the learning goes too";
    EXPECT_FALSE(window.enabled[Control::ClearHistory]);
    EXPECT_EQ(store.ReadString("Settings", "Config"), "Cleared");
    history.AddToMRU("write");
    learning.Record("wr", "write", 1800000000);
    commands.ClearHistoryQuietly();
    EXPECT_TRUE(store.ValueNames("Learning").empty());
    EXPECT_EQ(Said() + std::to_string(combo.items.size()), "Velquin | This action will delete all items in your "
                                                             "history folder.  Do you wish to continue? | 0x1240")
        << "one question, for the first clearing; the quiet one asks nothing";
}

TEST_F(LauncherTest, ControlRulesFollowTheTypedText)
{
    system.files = {"C:\\Windows", "C:\\My Files\\a.txt", "C:\\Menu\\Win.lnk", "C:\\Menu\\Gone.lnk"};
    system.shortcutTargets = {{"C:\\Menu\\Win.lnk", "C:\\Windows"}, {"C:\\Menu\\Gone.lnk", "C:\\Old"}};
    addToPath.Toggled();  // the user ticks the box: stored, not armed
    const auto state = [&] {
        return std::string(window.enabled[Control::Ok] ? "ok " : "") +
               (window.enabled[Control::Clear] ? "clear " : "") +
               (window.enabled[Control::AddToPath] ? "path" : "") + (window.checked ? "+" : "");
    };
    // A shortcut exists for "Add to my path" when its target does: that is what it would enter.
    for (const auto& [text, expected] :
         {std::pair{"", ""}, {"n", "ok clear "}, {"C:\\Windows\\", "ok clear path+"},
          {"\"C:\\My Files\\a.txt\" \"arg\"", "ok clear "}, {"C:\\Menu\\Win.lnk", "ok clear path+"},
          {"C:\\Menu\\Gone.lnk", "ok clear "}}) {
        TypeAndEdit(text);
        EXPECT_EQ(state(), expected) << text;
    }
    EXPECT_FALSE(addToPath.IsArmed()) << "only the mouse-move rule arms";

    // The mouse-move rule leaves OK and Clear alone for an existing entry, arms, and never disarms.
    Type("  \"C:\\My Files\\a.txt\"  ");
    window.enabled[Control::Ok] = false;
    rules.UpdateControlStates();
    EXPECT_EQ(state(), "clear path+");
    Type("   ");
    rules.UpdateControlStates();
    EXPECT_EQ(state(), "");
    EXPECT_TRUE(addToPath.IsArmed());

    // A list selection enables OK and Clear always, and judges the item untrimmed.
    rules.OnSelectItem(" C:\\Windows");
    EXPECT_EQ(state(), "ok clear ");
    addToPath.Toggled();
    rules.OnSelectItem("C:\\Windows");
    EXPECT_EQ(state(), "ok clear path");

    // A line of the suggestions reads no shortcut here: what the index knows of it holds, also at the mouse's
    // next move, and a shortcut it does not know is looked at on the worker.
    system.shortcutsRead = 0;
    Type("\"C:\\Menu\\Win.lnk\"");
    rules.OnLineFilled(true);
    rules.UpdateControlStates();
    EXPECT_EQ(state(), "ok clear path");
    Type("C:\\Menu\\Gone.lnk");
    rules.OnLineFilled(std::nullopt);
    EXPECT_EQ(state() + " " + window.backgroundChecks.back(), "ok clear  C:\\Menu\\Gone.lnk");
    EXPECT_EQ(system.shortcutsRead, 0);
    Type("C:\\Windows");
    rules.OnLineFilled(std::nullopt);
    EXPECT_EQ(state(), "ok clear path") << "any other line as typed";
}

TEST_F(LauncherTest, ANetworkTextIsSearchedOncePerVisitAndLaunchedAwayFromTheWindow)
{
    const std::string share = "\\\\gone\\share\\x.exe";
    TypeAndEdit(share);
    rules.UpdateControlStates();  // a mouse move: the same text, no second search
    EXPECT_EQ(window.backgroundChecks, std::vector<std::string>{share});
    EXPECT_FALSE(window.enabled[Control::AddToPath]) << "missing until the worker says otherwise";
    rules.OnExistenceChecked(share, true);
    EXPECT_TRUE(window.enabled[Control::AddToPath]);
    TypeAndEdit("\\\\other\\share");
    rules.OnExistenceChecked(share, true);  // a late answer about the earlier text changes nothing
    EXPECT_FALSE(window.enabled[Control::AddToPath]);
    TypeAndEdit(share);
    TypeAndEdit("C:\\local");
    TypeAndEdit(share);  // retyped after a local text: the server may be back
    EXPECT_EQ(window.backgroundChecks.size(), 4u);
    system.shortcutTargets = {{"C:\\Menu\\x.lnk", share}};  // a shortcut to the share waits on it as much
    TypeAndEdit("C:\\Menu\\x.lnk");
    EXPECT_EQ(window.backgroundChecks.back(), "C:\\Menu\\x.lnk");

    // Launched, it goes to a worker; its answer is applied when it comes, and the shell finishes its work there.
    system.files = {"\\\\server\\share\\x.exe"};
    window.checked = true;
    addToPath.Arm();
    Type("  \\\\server\\share\\x.exe -a ");
    launcher.OnLaunch();
    EXPECT_TRUE(system.opened.empty()) << "no step of it on the window's thread";
    EXPECT_TRUE(window.busy);
    Type("\\\\server\\share\\x.exe -a");
    launcher.OnLaunch();
    ASSERT_EQ(window.backgroundLaunches.size(), 1u) << "the very text still waiting is not launched twice";
    Type("notepad");  // the user goes on typing meanwhile
    const auto answer = [&](std::size_t launch) {
        const auto& [id, request] = window.backgroundLaunches.at(launch);
        launcher.OnLaunchFinished(id, PerformLaunch(request, system));
    };
    answer(0);
    EXPECT_FALSE(window.busy);
    EXPECT_EQ(system.opened.at(0).program + "|" + system.opened[0].parameters, "\\\\server\\share\\x.exe| -a");
    EXPECT_TRUE(system.opened[0].onWorker);
    EXPECT_EQ(combo.items, std::vector<std::string>{"\\\\server\\share\\x.exe -a"});
    EXPECT_EQ(combo.edit + " " + std::to_string(window.selection.first), "notepad -1") << "what the user typed stays";
    EXPECT_EQ(system.written.at(0).name, "x.exe");
    EXPECT_EQ(window.shown, ui::Show::Hide);

    // A share that does not answer holds up no other launch. Answers after another launch started are late:
    // a success only enters the history, a failure says nothing.
    Launch("\\\\dead\\share\\a.exe");
    Launch("\\\\other\\share\\b.exe");
    Launch("notepad");
    EXPECT_EQ(window.backgroundLaunches.size(), 3u);
    EXPECT_FALSE(system.opened.back().onWorker);
    EXPECT_EQ(system.opened.back().program, "notepad") << "at once, on the window's thread";
    EXPECT_TRUE(window.busy);
    window.shown = ui::Show::Normal;
    Type("typed");
    combo.SetEditSel(2, 3);
    system.results["\\\\other\\share\\b.exe"] = {2, 2};
    answer(2);
    answer(1);
    EXPECT_EQ(Said(), "");
    EXPECT_EQ(combo.items.front(), "\\\\dead\\share\\a.exe");
    EXPECT_EQ(combo.edit + " " + std::to_string(static_cast<int>(window.shown)), "typed 1");
    EXPECT_EQ(std::make_pair(combo.selStart, combo.selEnd), std::make_pair(2, 3)) << "the caret where it was";
    EXPECT_EQ(system.written.size(), 1u);
    EXPECT_FALSE(window.busy);
    // The newest launch answers in time; one that could not be made at all says so in the system's words.
    Launch("\\\\dead\\share\\c.exe");
    launcher.OnLaunchFinished(window.backgroundLaunches.back().first, FailedLaunch(window.backgroundLaunches.back().second));
    EXPECT_EQ(Said(), "\\\\dead\\share\\c.exe | Error 1359. | 0x10");

    // What the split takes for the program decides, looked at without a search: a shortcut typed with its
    // arguments, blanks and all, and a name whose App Paths program is on a share.
    system.shortcutTargets = {{"C:\\Menu\\x.lnk", share}, {"C:\\My Menu\\y.lnk", share}};
    system.appPathPrograms = {{"tool.exe", "\\\\server\\tools\\tool.exe"},
                              {"quoted.exe", "\"\\\\server\\tools\\q.exe\""},
                              {"pad.exe", "C:\\pad\\pad.exe"}};
    system.appPathDirs = {{"pad.exe", "\\\\server\\pad"}};  // the folder it starts in
    for (const char* typed :
         {"C:\\Menu\\x.lnk", "C:\\Menu\\x.lnk -x", "C:\\My Menu\\y.lnk -x", "tool -x", "quoted", "pad"}) {
        const std::size_t before = window.backgroundLaunches.size();
        Launch(typed);
        EXPECT_EQ(window.backgroundLaunches.size(), before + 1) << typed;
    }
}

TEST_F(LauncherTest, EachProgramsCommandStartsItsProgramAndNamesItsOwnFailure)
{
    const std::tuple<int, const char*, const char*> rows[] = {
        {ID_PROGRAMS_DEFRAG, "defrag", "Error | There was a failure launching Disk Defragmenter. | 0x10"},
        {ID_PROGRAMS_EXPLORER, "explorer", ""},
        {ID_PROGRAMS_PAINT, "mspaint", "Error | There was a failure launching Paint. | 0x10"},
        {ID_PROGRAMS_SCANDISK, "scandskw", "Error | There was a failure launching Scandisk. | 0x10"},
        {ID_PROGRAMS_SYSINFO, "MSINFO32", "Error | There was a failure launching System Information. | 0x10"},
        {ID_PROGRAMS_NOTEPAD, "notepad", "Error | There was a failure launching Notepad. | 0x10"},
        {ID_PROGRAMS_REGEDIT, "regedit", ""},
        {ID_PROGRAMS_WORDPAD, "wordpad", "Error | There was a failure launching Wordpad. | 0x10"},
        {ID_PROGRAMS_WRITE, "write", "Error | There was a failure launching Write. | 0x10"},
    };
    Set("ShowWindow", 3);
    Set("PutIconInTray", 0);
    for (const auto& [id, program, failure] : rows) {
        window.shows.clear();
        system.results[program] = {2, 0};
        commands.RunProgram(ById(kProgramCommands, id));
        EXPECT_EQ(system.opened.back().program + " " + std::to_string(system.opened.back().showCommand),
                  std::string(program) + " 3");
        EXPECT_EQ(Said(), failure);
        EXPECT_EQ(window.shows, (std::vector<ui::Show>{ui::Show::Minimize})) << program;
    }
    system.results.clear();
    commands.RunProgram(ById(kProgramCommands, ID_PROGRAMS_NOTEPAD));
    EXPECT_EQ(Said(), "");
    Set("HideOnSuccess", 0);  // the window stays as it was, for Folders as for Programs
    window.shows.clear();
    commands.RunProgram(ById(kProgramCommands, ID_PROGRAMS_NOTEPAD));
    commands.OpenFolder(ById(kFolderCommands, ID_FOLDERS_DESKTOP));
    commands.OpenFolder(ById(kFolderCommands, ID_FOLDERS_SYSTEM));
    EXPECT_TRUE(window.shows.empty());
}

TEST_F(LauncherTest, EachFoldersCommandOpensItsFolderAndHidesBeforeAfterOrNever)
{
    system.watched = &window;
    system.shellFolders = {{"Desktop", "D"}, {"Favorites", "F"}, {"History", "H"}, {"Personal", "M"},
                          {"Programs", "P"}, {"Recent", "R"}, {"Start Menu", "S"}};
    const std::tuple<int, const char*, ui::Show, ui::Show> rows[] = {
        {ID_FOLDERS_DESKTOP, "D", ui::Show::Hide, ui::Show::Hide},
        {ID_FOLDERS_FAVORITES, "F", ui::Show::Hide, ui::Show::Hide},
        {ID_FOLDERS_HISTORY, "H", ui::Show::Hide, ui::Show::Hide},
        {ID_FOLDERS_MY_DOCUMENTS, "M", ui::Show::Hide, ui::Show::Hide},
        {ID_FOLDERS_PROGRAMS, "P", ui::Show::Hide, ui::Show::Hide},
        {ID_FOLDERS_RECENT, "R", ui::Show::Hide, ui::Show::Hide},
        {ID_FOLDERS_START_MENU, "S", ui::Show::Hide, ui::Show::Hide},
        {ID_FOLDERS_SYSTEM, "C:\\windows\\system32", ui::Show::Normal, ui::Show::Hide},
        {ID_FOLDERS_WINDOWS, "C:\\windows", ui::Show::Normal, ui::Show::Normal}};
    Set("ShowWindow", 2);
    for (const auto& [id, folder, atOpen, after] : rows) {
        window.shown = ui::Show::Normal;
        commands.OpenFolder(ById(kFolderCommands, id));
        EXPECT_EQ(system.opened.back().program + " " + std::to_string(system.opened.back().showCommand),
                  std::string(folder) + " 2");
        EXPECT_EQ(system.shownAtOpen.back(), atOpen) << folder;
        EXPECT_EQ(window.shown, after) << folder;
    }
    system.shellFolders.clear();
    commands.OpenFolder(ById(kFolderCommands, ID_FOLDERS_DESKTOP));
    EXPECT_EQ(system.opened.size(), 9u) << "a folder the system does not name is not opened";
}

TEST_F(LauncherTest, TheReadmeGoesDownItsChainOnlyPastMissingPrograms)
{
    system.results = {{"winword", {2, 2}}, {"wordpad", {2, 0}}};
    commands.DisplayReadme();
    std::string tried;
    for (const OpenRequest& r : system.opened)
        tried += r.program + " " + r.parameters + " in " + r.directory + "; ";
    EXPECT_EQ(tried, "winword Readme.doc in C:\\Program Files\\Velquin; wordpad Readme.doc in C:\\Program "
                     "Files\\Velquin; notepad Readme.txt in C:\\Program Files\\Velquin; ");
    EXPECT_EQ(window.shown, ui::Show::Minimize);
}

TEST_F(LauncherTest, EachSessionCommandAsksUnlessItsOwnPreferenceIsOffThenAsksTheSystemWithoutForceAndStaysOpen)
{
    const std::tuple<int, const char*, const char*, unsigned> rows[] = {
        {ID_TOOLS_LOG_OFF, "PromptOnLogOff", "Log Off Windows | Are you sure you want to log off? | 0x24", 0},
        {ID_TOOLS_RESTART, "PromptOnRestart", "Restart Windows | Are you sure you want to restart? | 0x24", 0x12},
        {ID_TOOLS_SHUTDOWN, "PromptOnShutDown", "Shutdown Windows | Are you sure you want to shutdown? | 0x24", 0x18},
    };
    for (const auto& [id, preference, question, flags] : rows) {
        const SessionCommand& command = ById(kSessionCommands, id);
        window.answer = ui::kAnswerNo;
        commands.EndSession(command);
        EXPECT_EQ(Said(), question);
        EXPECT_TRUE(system.sessionsEnded.empty());
        for (const auto& other : rows)  // each preference silences its own question only
            Set(std::get<1>(other), std::get<1>(other) == preference ? 0 : 1);
        commands.EndSession(command);
        EXPECT_EQ(Said(), "") << preference;
        EXPECT_EQ(system.sessionsEnded, (std::vector<std::pair<unsigned, unsigned long>>{{flags, 0x80000000}}));
        system.sessionsEnded.clear();
    }
    EXPECT_TRUE(window.shows.empty()) << "Velquin ends when the session does, not before";
    system.sessionError = 1115;  // ERROR_SHUTDOWN_IN_PROGRESS
    commands.EndSession(ById(kSessionCommands, ID_TOOLS_SHUTDOWN));
    EXPECT_EQ(Said(), "Velquin | Error 1115. | 0x10");
}

TEST_F(LauncherTest, ImportAddsTheRunBoxCommandsOldestLastWithoutDuplicatesAndSaysSo)
{
    KeepLog();
    system.runHistory = {{"MRUList", "bcad"}, {"b", "calc\\1"}, {"c", "nobackslash"},
                         {"a", "C:\\Tools\\tool.exe -x\\1"}, {"d", "\xC3\xA4rger\\1"}};
    history.AddToMRU("\xC3\x84RGER");
    commands.ImportRunHistory();
    EXPECT_EQ(combo.items, (std::vector<std::string>{"C:\\Tools\\tool.exe -x", "calc", "\xC3\x84RGER"}));
    EXPECT_EQ(combo.edit, "\xC3\xA4rger") << "an empty box gets the last command read";
    EXPECT_EQ(store.ReadString("Settings", "Config"), "Not Cleared");
    EXPECT_EQ(ReadBytes(logPath),
              "[Velquin History]\r\n\r\nFile #1: C:\\Tools\\tool.exe -x\r\nFile #2: calc\r\nFile #3: \xC3\x84RGER\r\n");
    EXPECT_EQ(Said(), "Velquin | Run history has been added to your history folder. | 0x40");
    EXPECT_TRUE(store.ValueNames("Learning").empty()) << "nothing picked, nothing learnt";
    system.runHistory.clear();
    commands.ImportRunHistory();
    EXPECT_EQ(combo.items.size(), 3u);
    EXPECT_EQ(Said(), "Velquin | Run history has been added to your history folder. | 0x40");
}

TEST_F(LauncherTest, AnAliasLaunchesItsExpansionTheHistoryKeepsWhatWasTypedAndTooLongAnExpansionStartsNothing)
{
    AliasTable aliases(store, FoldUpper);
    aliases.Put({"np", "notepad.exe {1}"});
    aliases.Put({"long", "x{*}"});
    launcher.UseAliases(aliases);
    Launch("NP \"my notes.txt\"");
    EXPECT_EQ(system.opened.at(0).program + "|" + system.opened[0].parameters, "notepad.exe| \"my notes.txt\"");
    EXPECT_EQ(combo.items, std::vector<std::string>{"NP \"my notes.txt\""});
    Launch("long " + std::string(2046, 'y'));  // 2,047 characters: still launched
    Launch("long " + std::string(2047, 'y'));
    EXPECT_EQ(system.opened.size(), 2u);
    EXPECT_EQ(Said(), "Velquin | What \"long\" stands for here is longer than 2,047 characters. | 0x30");
    EXPECT_EQ(combo.items.size(), 1u) << "nothing recorded; too long for the history as well";
    launcher.OnOpenLastItem();  // the history's alias stands for what it stood for
    EXPECT_EQ(system.opened.back().program + "|" + system.opened.back().parameters, "notepad.exe| \"my notes.txt\"");
    EXPECT_EQ(combo.items, std::vector<std::string>{"NP \"my notes.txt\""});
}
