// The portable profile's file: its text both ways, the store over it, and moving a profile between machines.
#include "HostSupport.h"

#include "commands/ProfileTransfer.h"
#include "framework/IniProfileStore.h"

namespace {

const char* const kBom = "\xEF\xBB\xBF";

std::string Dump(const IniDocument& document)
{
    std::string dump;
    for (const IniSection& section : document) {
        dump += "[" + section.name + "]";
        for (const IniValue& value : section.values)
            dump += " " + value.name + "=<" + value.text + ">";
        dump += "\n";
    }
    return dump;
}

}  // namespace

TEST(IniText, EveryTextReadsBackAsWrittenAndOnlyBlanksAndLineBreaksAreEscaped)
{
    const std::vector<std::string> texts = {
        "C:\\Tools\\{new}\\run.exe",  "https://example.com/?q={*}&r={1}", "Юникод 日本語 🎉 Ärger.exe",
        "  two blanks before",        "after\t",                           "line one\r\nline two\nthree\r",
        "\"quoted\"",                 "\"only before",                     "a\\\nb \\n \\\\r \\",
        "",                           "42",                                "=;[x] # not a comment",
    };
    IniDocument document = {{"Velquin MRU", {}}, {"Settings", {{"MaxHistory", "42"}}}};
    for (std::size_t i = 0; i < texts.size(); ++i)
        document[0].values.push_back({"File #" + std::to_string(i + 1), texts[i]});

    const std::string written = WriteIni(document);
    EXPECT_EQ(written.substr(0, 50), std::string(kBom) + "[Velquin MRU]\r\nFile #1=C:\\Tools\\{new}\\run.exe\r\n");
    for (const char* line : {"\r\nFile #4=\"  two blanks before\"\r\n",
                             "\r\nFile #6=\"line one\\r\\nline two\\nthree\\r\"\r\n",
                             "\r\nFile #10=\r\n", "\r\n[Settings]\r\nMaxHistory=42\r\n"})
        EXPECT_NE(written.find(line), std::string::npos) << line;

    IniProblem problem;
    const std::optional<IniDocument> read = ReadIniStrictly(written, problem);
    ASSERT_TRUE(read) << problem.line << ": " << problem.what;
    EXPECT_EQ(Dump(*read), Dump(document));
}

TEST(IniText, AtStartADamagedLineIsSkippedBeforeAnImportItRefusesTheFile)
{
    const std::string text = "; hand-edited, no byte-order mark, Unix line ends\n"
                             "orphan=before any section\n"
                             "[Settings]\n"
                             "  MaxHistory = 12  \n"
                             "just words\n"
                             "bad=\xC3\x28 half a character\n"
                             "[Broken\n"
                             "File #1=belongs to the broken section\n"
                             "[Velquin MRU]\n"
                             "\n"
                             "File #1=notepad\n";
    EXPECT_EQ(Dump(ReadIniLeniently(text)), "[Settings] MaxHistory=<12>\n[Velquin MRU] File #1=<notepad>\n");
    EXPECT_EQ(Dump(ReadIniLeniently(std::string(kBom) + "[A]\r\nx=1\r\n")), "[A] x=<1>\n");

    const std::pair<std::string, int> damaged[] = {
        {"x=1\n[A]\n", 1}, {"[A]\nx=1\nwords\n", 3}, {"[A]\r\n=1\r\n", 2}, {"[A]\n[B\n", 2}, {"[A]\nx=\xFF\n", 2},
        {"[A]\nx=\xE0\x80\xAF\n", 2},  // an overlong slash
    };
    for (const auto& [bytes, line] : damaged) {
        IniProblem problem;
        EXPECT_FALSE(ReadIniStrictly(bytes, problem)) << bytes;
        EXPECT_EQ(problem.line, line) << bytes;
    }
}

TEST(IniProfileStore, WritesTheFileOncePerBatchAndKeepsWhatItCouldNotSaveForTheNextTime)
{
    std::vector<std::string> saved;
    bool medium = true;
    IniProfileStore store(ReadIniLeniently("[settings]\nmaxhistory=7\n"), EqualsAsciiNoCase,
                          [&](const std::string& bytes) {
                              if (medium)
                                  saved.push_back(bytes);
                              return medium;
                          });
    EXPECT_EQ(store.ReadInt("Settings", "MaxHistory", 30), 7);
    EXPECT_EQ(store.ReadString("Settings", "Missing", "default"), "default");

    CRecentFileList history(1, "Velquin MRU", "File #%d", 99, 30);
    for (int i = 1; i <= 99; ++i)
        history.Add("entry " + std::to_string(i));
    history.WriteList(store);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(store.ValueNames("VELQUIN MRU").size(), 99u);

    EXPECT_TRUE(store.WriteInt("Settings", "MaxHistory", -5));
    EXPECT_EQ(saved.size(), 2u);  // a single write outside a batch is on its way at once
    EXPECT_FALSE(store.WriteString("Settings", "Too long", std::string(260, 'x')));
    EXPECT_FALSE(store.WriteString("Settings", "a=b", "a name that would read back as another"));
    EXPECT_EQ(saved.size(), 2u);

    medium = false;
    store.WriteString("Settings", "LogFile", "C:\\log.txt");
    store.BeginBatch();
    store.DeleteValue("Velquin MRU", "File #99");
    EXPECT_FALSE(store.CommitBatch());
    medium = true;
    store.BeginBatch();
    EXPECT_TRUE(store.CommitBatch());  // the values left unsaved go with the next commit
    ASSERT_EQ(saved.size(), 3u);
    const std::string last = saved.back();
    EXPECT_EQ(Dump(ReadIniLeniently(last)).substr(0, 56), "[settings] maxhistory=<-5> LogFile=<C:\\log.txt>\n[Velquin");
    EXPECT_EQ(last.find("File #99"), std::string::npos);
}

TEST(ProfileTransfer, ExportLeavesTheMachinesOwnValuesBehindAndImportMergesHistoryAndLearning)
{
    MemoryProfileStore here;
    here.WriteString("Settings", "Saved", "Options saved");
    here.WriteInt("Settings", "MaxHistory", 30);
    here.WriteString("Settings", "VelquinPath", "C:\\Here\\Velquin.exe");
    here.WriteInt("Window", "Left", 40);
    here.WriteString("Folders", "File", "C:\\Here");
    here.WriteString("Velquin MRU", "File #1", "notepad");
    here.WriteString("Velquin MRU", "File #2", "calc");
    here.WriteString("Aliases", "g", "https://example.com/?q={*}");
    here.WriteString("Hidden", "Hidden #1", "C:\\OLD.EXE");
    here.WriteString("Learning", "Record #1", "pa\tmspaint\t1\t1000");
    here.WriteString("Learning", "Record #2", "no\tnotepad\t2\t1000");

    const std::string exported = WriteIni(ExportProfile(here));
    for (const char* absent : {"[Window]", "[Folders]", "Left=", "C:\\Here\r\n"})
        EXPECT_EQ(exported.find(absent), std::string::npos) << absent;
    for (const char* present : {"[Settings]\r\n", "MaxHistory=30\r\n", "File #2=calc\r\n",
                                "g=https://example.com/?q={*}\r\n",
                                "Record #1=pa\tmspaint\t1\t1000\r\n"})
        EXPECT_NE(exported.find(present), std::string::npos) << present;

    IniProblem problem;
    const std::optional<IniDocument> file = ReadIniStrictly("[Settings]\n"
                                                            "MaxHistory=4\n"
                                                            "VelquinPath=D:\\Stick\\Velquin.exe\n"
                                                            "HotKey=1617\n"
                                                            "[Window]\nLeft=900\n"
                                                            "[Velquin MRU]\n"
                                                            "File #1=CALC\nFile #2=winword\n"
                                                            "File #3=mspaint\nFile #4=cmd\n"
                                                            "[Aliases]\nnp=notepad.exe\n"
                                                            "[Hidden]\nHidden #1=C:\\NEW.EXE\n"
                                                            "[Learning]\n"
                                                            "Record #1=no\tnotepad\t5\t1000\n"
                                                            "Record #2=no\tnotepad.exe\t0.5\t1000\n"
                                                            "Record #3=w\twinword\tdamaged\t1000\n"
                                                            "[aliases]\nw=write.exe\n",
                                                            problem);
    ASSERT_TRUE(file);
    const ImportCounts counts = ImportProfile(here, *file, EqualsAsciiNoCase, 1000);

    EXPECT_EQ(here.ReadInt("Settings", "MaxHistory", 0), 4);
    EXPECT_EQ(here.ReadInt("Settings", "HotKey", 0), 1617);
    EXPECT_EQ(here.ReadString("Settings", "VelquinPath"), "C:\\Here\\Velquin.exe");
    EXPECT_EQ(here.ReadInt("Window", "Left", 0), 40);
    CRecentFileList history(1, "Velquin MRU", "File #%d", 5, 30);
    history.ReadList(here);
    EXPECT_EQ(std::vector<std::string>({history[0], history[1], history[2], history[3], history[4]}),
              (std::vector<std::string>{"notepad", "calc", "winword", "mspaint", ""}));
    using Values = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(here.ReadSection("Aliases"), (Values{{"np", "notepad.exe"}, {"w", "write.exe"}}));
    EXPECT_EQ(here.ReadSection("Hidden"), (Values{{"Hidden #1", "C:\\NEW.EXE"}}));
    EXPECT_EQ(here.ReadSection("Learning"), (Values{
                                                {"Record #1", "pa\tmspaint\t1\t1000"},
                                                {"Record #2", "no\tnotepad\t5\t1000"},
                                                {"Record #3", "no\tnotepad.exe\t0.5\t1000"}}));
    EXPECT_EQ(counts.historyAdded, 2);
    EXPECT_EQ(counts.learningAdded, 1);

    // At most 300 picks: the weakest goes, of equals the oldest pick.
    for (int i = 1; i <= 300; ++i)
        here.WriteString("Learning", "Record #" + std::to_string(i),
                         "t" + std::to_string(i) + "\tc\t1\t" + std::to_string(1000 - i));
    const std::optional<IniDocument> stronger = ReadIniStrictly("[Learning]\nRecord #1=x\tcx\t5\t1000\n", problem);
    ASSERT_TRUE(stronger);
    ImportProfile(here, *stronger, EqualsAsciiNoCase, 1000);
    const std::string learnt = WriteIni(ExportProfile(here));
    EXPECT_EQ(here.ValueNames("Learning").size(), 300u);
    EXPECT_NE(learnt.find("=x\tcx\t5\t1000\r\n"), std::string::npos);
    EXPECT_NE(learnt.find("=t299\tc\t1\t701\r\n"), std::string::npos);
    EXPECT_EQ(learnt.find("=t300\t"), std::string::npos);
}

TEST(ProfileTransfer, AValueTheProfileCouldNotKeepRefusesTheWholeFile)
{
    IniProblem problem;
    const std::optional<IniDocument> file =
        ReadIniStrictly("[Aliases]\nnp=notepad.exe\n\ng=" + std::string(260, 'x') + "\n", problem);
    ASSERT_TRUE(file);
    ASSERT_TRUE(CheckImport(*file));
    EXPECT_EQ(CheckImport(*file)->line, 4);
}
