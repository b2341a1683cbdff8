// The App Paths table on the real registry.
#include "TestSupport.h"

#include "paths/AppPaths.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::string kTable = kAppPathsKey;

// Test entries carry this prefix and are removed before and after each test.
class CleanTable : public ::testing::Test {
protected:
    void SetUp() override { CleanTestAppPaths(); }
    void TearDown() override { CleanTestAppPaths(); }
};

bool Listed(const std::string& name)
{
    const auto names = ListAppPathNames(AppPathTable::Machine);
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

TEST_F(CleanTable, WritesReadsListsAndDeletesAnEntry)
{
    EXPECT_TRUE(WriteAppPathEntry({"VqTestTool.exe", "C:\\Tools\\VqTestTool.exe", "C:\\Tools"}));
    EXPECT_TRUE(AppPathEntryExists("VqTestTool.exe"));
    EXPECT_TRUE(Listed("VqTestTool.exe"));

    const AppPathEntry entry = ReadAppPathEntry("VqTestTool.exe");
    EXPECT_EQ(entry.programPath, "C:\\Tools\\VqTestTool.exe");
    EXPECT_EQ(entry.workingDirectory, "C:\\Tools");

    // Stored as REG_SZ with the terminating zero counted.
    const auto path = ReadRawValue(HKEY_LOCAL_MACHINE, kTable + "\\VqTestTool.exe", "Path");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(path->data, std::string("C:\\Tools\0", 9));

    EXPECT_TRUE(DeleteAppPathEntry("VqTestTool.exe", AppPathTable::Machine));
    EXPECT_FALSE(AppPathEntryExists("VqTestTool.exe"));
    EXPECT_FALSE(Listed("VqTestTool.exe"));
    EXPECT_FALSE(DeleteAppPathEntry("", AppPathTable::Machine));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kTable)) << "the table itself stays";
}

TEST_F(CleanTable, ALaunchReadsAnExpandableWorkingDirectoryExpanded)
{
    const std::string key = kTable + "\\VqTestExpand.exe";
    const std::string directory = "%SystemRoot%\\Tools";
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), "Path", REG_EXPAND_SZ, directory.c_str(),
                              static_cast<DWORD>(directory.size() + 1)),
              ERROR_SUCCESS);
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(ReadAppPathWorkingDirectory("VqTestExpand.exe"), std::string(windows) + "\\Tools");
    EXPECT_EQ(ReadAppPathEntry("VqTestExpand.exe").workingDirectory, directory) << "the editor shows it as stored";
    DeleteAppPathEntry("VqTestExpand.exe", AppPathTable::Machine);
}

TEST_F(CleanTable, NamesIgnoreCaseButMustMatchInFullAndKeepTheirSpelling)
{
    WriteAppPathEntry({"vqtestpad.exe", "C:\\Windows\\vqtestpad.exe", "C:\\Windows"});
    EXPECT_EQ(ReadAppPathWorkingDirectory("VQTESTPAD.EXE"), std::optional<std::string>("C:\\Windows"));
    EXPECT_EQ(ReadAppPathWorkingDirectory("vqtestpad"), std::nullopt);

    WriteAppPathEntry({"VQTESTPAD.EXE", "D:\\Other\\pad.exe", "D:\\Other"});
    EXPECT_TRUE(Listed("vqtestpad.exe"));
    EXPECT_FALSE(Listed("VQTESTPAD.EXE"));
    const AppPathEntry entry = ReadAppPathEntry("vqtestpad.exe");
    EXPECT_EQ(entry.programPath, "D:\\Other\\pad.exe");
    EXPECT_EQ(entry.workingDirectory, "D:\\Other");
}

TEST_F(CleanTable, AnEntryWithoutPathAndOverlongValuesReadAsEmpty)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, (kTable + "\\VqTestBare.exe").c_str(), &key), ERROR_SUCCESS);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("C:\\bare.exe"), 12);
    const std::string longText(300, 'x');
    RegCloseKey(key);

    const AppPathEntry bare = ReadAppPathEntry("VqTestBare.exe");
    EXPECT_EQ(bare.programPath, "C:\\bare.exe");
    EXPECT_EQ(bare.workingDirectory, "");
    EXPECT_EQ(ReadAppPathWorkingDirectory("VqTestBare.exe"), std::optional<std::string>(""));

    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, (kTable + "\\VqTestLong.exe").c_str(), &key), ERROR_SUCCESS);
    RegSetValueExA(key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(longText.c_str()), 301);
    RegCloseKey(key);
    EXPECT_EQ(ReadAppPathWorkingDirectory("VqTestLong.exe"), std::optional<std::string>(""));

    const AppPathEntry missing = ReadAppPathEntry("VqTestMissing.exe");
    EXPECT_EQ(missing.programPath, "");
    EXPECT_EQ(missing.workingDirectory, "");
}

TEST_F(CleanTable, NothingLongerThanABufferHoldsIsWritten)
{
    EXPECT_TRUE(WriteAppPathEntry({"VqTestMax.exe", "C:\\" + std::string(256, 'p'), ""}));
    EXPECT_EQ(ReadAppPathEntry("VqTestMax.exe").programPath.size(), 259u);
    EXPECT_FALSE(WriteAppPathEntry({"VqTestOver.exe", "C:\\" + std::string(257, 'p'), ""}));
    EXPECT_FALSE(WriteAppPathEntry({"VqTestOver2.exe", "C:\\a.exe", std::string(260, 'd')}));
    EXPECT_FALSE(AppPathEntryExists("VqTestOver.exe"));
    EXPECT_FALSE(AppPathEntryExists("VqTestOver2.exe"));
    EXPECT_TRUE(ReadAppPathEntry("VqTestMax.exe").workingDirectory.empty()) << "an empty Path is stored";
}

TEST_F(CleanTable, TheProgramRegistersItselfAsVelquinExe)
{
    RegisterSelfInAppPaths();
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const AppPathEntry entry = ReadAppPathEntry("Velquin.exe");
    EXPECT_EQ(entry.programPath, self);
    const std::string folder = std::string(self).substr(0, std::string(self).rfind('\\'));
    EXPECT_EQ(entry.workingDirectory, folder);

    WriteAppPathEntry({"Velquin.exe", "C:\\old\\Velquin.exe", "C:\\old"});
    RegisterSelfInAppPaths();
    EXPECT_EQ(ReadAppPathEntry("Velquin.exe").programPath, self);
}

TEST_F(CleanTable, AWriteTheMachineRefusesGoesToTheUsersOwnTableWhichTheShellReadsFirst)
{
    const std::string userKey = kTable + "\\VqTestMine.exe";
    WriteAppPathEntry({"VqTestMine.exe", "C:\\All\\mine.exe", "C:\\All"});
    RefuseAppPathWrites(true);

    EXPECT_EQ(WriteAppPathEntry({"VqTestMine.exe", "C:\\Me\\mine.exe", "C:\\Me"}), AppPathTable::User);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, userKey));
    EXPECT_EQ(ReadAppPathWorkingDirectory("VqTestMine.exe"), std::optional<std::string>("C:\\Me"));
    EXPECT_EQ(ReadAppPathEntry("VqTestMine.exe").programPath, "C:\\Me\\mine.exe");
    int listed = 0;
    for (const ListedAppPath& entry : ListAppPaths())
        listed += entry.name == "VqTestMine.exe" ? (entry.table == AppPathTable::User ? 1 : 100) : 0;
    EXPECT_EQ(listed, 1) << "listed once, as the user's";

    EXPECT_FALSE(DeleteAppPathEntry("VqTestMine.exe", AppPathTable::Machine));
    EXPECT_TRUE(DeleteAppPathEntry("VqTestMine.exe", AppPathTable::User));
    EXPECT_EQ(ReadAppPathWorkingDirectory("VqTestMine.exe"), std::optional<std::string>("C:\\All"));

    RegisterSelfInAppPaths();
    EXPECT_EQ(FindAppPathTable("Velquin.exe"), AppPathTable::User) << "start-up registration takes too";

    RefuseAppPathWrites(true, true);
    EXPECT_EQ(WriteAppPathEntry({"VqTestNone.exe", "C:\\n.exe", "C:\\"}), std::nullopt);
    EXPECT_FALSE(AppPathEntryExists("VqTestNone.exe"));
}
