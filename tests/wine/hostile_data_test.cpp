// Bad data planted in the registry and the file system: Velquin opens, works and keeps what is good.
#include "MainWindowFixture.h"

#include "launcher/ShellLaunch.h"
#include "paths/AppPaths.h"


using namespace profile;

namespace {

const std::string kSettingsKey = std::string(kProfileKey) + "\\Settings";
const std::string kHistoryKey = std::string(kProfileKey) + "\\Velquin MRU";

void RawString(HKEY root, const std::string& key, const std::string& name, const std::string& text)
{
    HKEY handle = nullptr;
    RegCreateKeyA(root, key.c_str(), &handle);
    RegSetValueExA(handle, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(text.size() + 1));
    RegCloseKey(handle);
}

void RawDword(HKEY root, const std::string& key, const std::string& name, DWORD value)
{
    HKEY handle = nullptr;
    RegCreateKeyA(root, key.c_str(), &handle);
    RegSetValueExA(handle, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(handle);
}

// Opening succeeds on the system side without starting anything.
class QuietSystem : public ShellLaunchSystem {
public:
    OpenResult Open(const OpenRequest&) override { return {42, 0}; }
    void EndSession(unsigned) override {}
};

class HostileData : public MainWindow {
protected:
    QuietSystem system;
};

}  // namespace

TEST_F(HostileData, SettingsOfTheWrongTypeReadAsTheirDefaults)
{
    RawString(HKEY_CURRENT_USER, kSettingsKey, "MaxHistory", "12");
    RawString(HKEY_CURRENT_USER, kSettingsKey, "PutIconInTray", "1");
    RawDword(HKEY_CURRENT_USER, kSettingsKey, "LogFile", 5);
    RawDword(HKEY_CURRENT_USER, kSettingsKey, "Config", 1);
    CVelquinDlg dialog(&system);
    Run(dialog, [&](UiScript& s) {
        s.Then([&] {
             EXPECT_EQ(dialog.History().GetMaxMRUSize(), 30);
             EXPECT_FALSE(dialog.Tray().IconAdded());
             TypeText(Edit(), "notepad");
         })
            .When([&] { return Enabled(IDOK); }, [&] { Click(window, IDOK); })
            .Then([&] { ShowWindow(window, SW_RESTORE); });
    });
    EXPECT_EQ(AppProfile().ReadString(kHistory, "File #1"), "notepad");
}

TEST_F(HostileData, ACapacityOutsideTheRangeMeansThirty)
{
    for (int capacity : {0, 500, -1}) {
        Set(kMaxHistory, capacity);
        CVelquinDlg dialog(&system);
        Run(dialog, [&](UiScript& s) {
            s.Then([&] { EXPECT_EQ(dialog.History().GetMaxMRUSize(), 30) << capacity; });
        });
    }
}

TEST_F(HostileData, BrokenHistoryValuesAreSkippedAndOtherValuesKept)
{
    RawString(HKEY_CURRENT_USER, kHistoryKey, "File #1", "notepad");
    RawString(HKEY_CURRENT_USER, kHistoryKey, "File #2", std::string(300, 'x'));
    RawString(HKEY_CURRENT_USER, kHistoryKey, "File #3", "");
    RawString(HKEY_CURRENT_USER, kHistoryKey, "File #5", "write");
    RawString(HKEY_CURRENT_USER, kHistoryKey, "Unrelated", "keep me");
    RawDword(HKEY_CURRENT_USER, kHistoryKey, "File #6", 7);
    std::vector<std::string> items;
    Run([&](UiScript& s) { s.Then([&] { items = Items(); }); });
    EXPECT_EQ(items, (std::vector<std::string>{"notepad", "write"}));
    EXPECT_EQ(AppProfile().ReadString(kHistory, "Unrelated"), "keep me");
    EXPECT_EQ(AppProfile().ReadString(kHistory, "File #1"), "notepad");
    EXPECT_EQ(AppProfile().ReadString(kHistory, "File #5"), "write");
}

TEST_F(HostileData, AppPathsEntriesWithMissingOrOverlongValuesReadAsEmpty)
{
    const std::string table = kAppPathsKey;
    HKEY key = nullptr;
    RegCreateKeyA(HKEY_LOCAL_MACHINE, (table + "\\VqTestEmpty.exe").c_str(), &key);
    RegCloseKey(key);
    RawString(HKEY_LOCAL_MACHINE, table + "\\VqTestLong.exe", "", std::string(300, 'p'));
    RawString(HKEY_LOCAL_MACHINE, table + "\\VqTestLong.exe", "Path", std::string(300, 'd'));

    EXPECT_EQ(ReadAppPathEntry("VqTestEmpty.exe").programPath, "");
    EXPECT_EQ(ReadAppPathEntry("VqTestLong.exe").programPath, "");
    EXPECT_EQ(ReadAppPathWorkingDirectory("VqTestLong.exe"), std::optional<std::string>(""));

    std::string directory = "unset";
    struct Recording : QuietSystem {
        std::string* directory;
        OpenResult Open(const OpenRequest& request) override
        {
            *directory = request.directory;
            return {42, 0};
        }
    } recording;
    recording.directory = &directory;
    CVelquinDlg dialog(&recording);
    Run(dialog, [&](UiScript& s) {
        s.Then([&] { TypeText(Edit(), "VqTestLong.exe"); })
            .When([&] { return Enabled(IDOK); }, [&] { Click(window, IDOK); })
            .Then([&] { ShowWindow(window, SW_RESTORE); });
    });
    EXPECT_EQ(directory, "");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, (table + "\\VqTestEmpty.exe").c_str());
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, (table + "\\VqTestLong.exe").c_str());
}

TEST_F(HostileData, ABrokenRunHistoryImportsWhatItCan)
{
    const std::string runMru = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
    RegDeleteTreeA(HKEY_CURRENT_USER, runMru.c_str());
    RawString(HKEY_CURRENT_USER, runMru, "b", "calc\\1");  // no MRUList yet
    std::vector<std::vector<std::string>> items;
    int messages = 0;
    CVelquinDlg dialog(&system);
    Run(dialog, [&](UiScript& s) {
        for (int round = 0; round < 2; ++round) {
            s.Then([&, round] {
                 if (round == 1) {
                     RawString(HKEY_CURRENT_USER, runMru, "MRUList", "azbc");  // z has no value
                     RawString(HKEY_CURRENT_USER, runMru, "a", "plain");      // no backslash
                     RawString(HKEY_CURRENT_USER, runMru, "c", std::string(300, 'y') + "\\1");
                 }
                 PostMessageA(window, WM_COMMAND, ID_TOOLS_IMPORT_RUN_HISTORY, 0);
             })
                .When([] { return FindMessageBox() != nullptr; },
                      [&] {
                          ++messages;
                          Click(FindMessageBox(), IDOK);
                      })
                .When([] { return FindMessageBox() == nullptr; }, [&] { items.push_back(Items()); });
        }
    });
    RegDeleteTreeA(HKEY_CURRENT_USER, runMru.c_str());
    EXPECT_EQ(messages, 2);
    EXPECT_TRUE(items[0].empty()) << "no MRUList: nothing";
    EXPECT_EQ(items[1], (std::vector<std::string>{"calc"}));
}

TEST_F(HostileData, ALogThatCannotBeWrittenDoesNotStopTheLaunch)
{
    // A path in a missing folder, and a path that names a folder: neither can be written. (A read-only file
    // cannot stand in here: the tests run as root, whom no file refuses.)
    const std::string folder = TempPath("velquin-log-folder");
    CreateDirectoryA(folder.c_str(), nullptr);
    Set(kSaveToFile, 1);

    for (const std::string& log : {std::string("C:\\no such folder\\h.log"), folder}) {
        AppProfile().WriteString(kSettings, kLogFile, log);
        AppProfile().DeleteValue(kSettings, kConfig);
        CVelquinDlg dialog(&system);
        bool message = true;
        Run(dialog, [&](UiScript& s) {
            s.Then([&] { TypeText(Edit(), "write"); })
                .When([&] { return Enabled(IDOK); }, [&] { Click(window, IDOK); })
                .Then([&] {
                    message = FindMessageBox() != nullptr;
                    ShowWindow(window, SW_RESTORE);
                });
        });
        EXPECT_FALSE(message) << log;
        EXPECT_EQ(AppProfile().ReadString(kHistory, "File #1"), "write") << log;
    }
    EXPECT_EQ(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    RemoveDirectoryA(folder.c_str());
}
