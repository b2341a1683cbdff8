// The Path Editor and its path entry dialog on the real App Paths table.
#include "TestSupport.h"
#include "UiScript.h"

#include "paths/AppPaths.h"
#include "paths/PathEditorDlg.h"
#include "paths/RegeditDlg.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::string SelectedLine(HWND list)
{
    const int selected = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (selected < 0)
        return "<none>";
    char text[600] = {};
    SendMessageA(list, LB_GETTEXT, selected, reinterpret_cast<LPARAM>(text));
    return text;
}

class PathEditor : public ::testing::Test {
protected:
    TestApp app;
    HWND editor = nullptr;
    HWND entry = nullptr;

    void SetUp() override { CleanTestAppPaths(); }
    void TearDown() override { CleanTestAppPaths(); }

    HWND List() const { return GetDlgItem(editor, IDC_PATH_LIST); }
    bool Enabled(HWND dialog, int id) const { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
    void Select(const std::string& name)
    {
        const LRESULT index = SendMessageA(List(), LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(name.c_str()));
        SendMessageA(List(), LB_SETCURSEL, index, 0);
        PostMessageA(editor, WM_COMMAND, MAKEWPARAM(IDC_PATH_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(List()));
    }
    // Types into the path entry dialog's three fields.
    void Fill(const char* name, const char* path, const char* directory)
    {
        if (name)
            SetDlgItemTextA(entry, IDC_PROGRAM_NAME, name);
        if (path)
            SetDlgItemTextA(entry, IDC_EDIT_FIELD, path);
        if (directory)
            SetDlgItemTextA(entry, IDC_WORKING_DIRECTORY, directory);
    }

    // How many lines of the list carry the name, in any letter case.
    int LinesNamed(const char* name) const
    {
        const auto lines = ListBox(List()).Items();
        return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                              [name](const std::string& l) { return _stricmp(l.c_str(), name) == 0; }));
    }
    static void ExpectOverwriteQuestion(const MessageBoxSeen& question)
    {
        EXPECT_EQ(question.text, "The entry you specified already exists.  Do you wish to overwrite it?");
        EXPECT_EQ(question.caption, "Confirm");
        EXPECT_EQ(question.icon, LoadIconA(nullptr, IDI_QUESTION));
    }

    void Run(UiScript& script)
    {
        CPathEditorDlg dialog;
        script.Then([&] { Click(editor, IDC_PATH_CLOSE); });
        dialog.DoModal();
        EXPECT_TRUE(script.Finished());
    }
};

}  // namespace

TEST_F(PathEditor, ListsEveryEntrySortedWithNothingSelected)
{
    WriteAppPathEntry({"vqtestzeta.exe", "C:\\z.exe", "C:\\"});
    WriteAppPathEntry({"VqTestAlpha.exe", "C:\\a.exe", "C:\\"});
    UiScript script;
    script.WaitForDialog("Path Editor", &editor).Then([&] {
        const auto lines = ListBox(List()).Items();
        EXPECT_EQ(lines.size(), ListAppPaths().size());
        EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end(),
                                   [](const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) < 0; }));
        const auto alpha = std::find(lines.begin(), lines.end(), "VqTestAlpha.exe");
        ASSERT_NE(alpha, lines.end());
        EXPECT_EQ(*(alpha + 1), "vqtestzeta.exe");
        EXPECT_EQ(SelectedLine(List()), "<none>");
        EXPECT_FALSE(Enabled(editor, IDC_PATH_EDIT));
        EXPECT_FALSE(Enabled(editor, IDC_PATH_REMOVE));
    });
    Run(script);
}

TEST_F(PathEditor, AddsANewEntryAndAsksBeforeOverwritingOne)
{
    WriteAppPathEntry({"VqTestTool.exe", "C:\\Old\\tool.exe", "C:\\Old"});
    MessageBoxSeen question;
    bool okWithNameOnly = true, okWithBoth = false;
    HWND focusAfterNo = nullptr, nameField = nullptr;
    UiScript script;
    script.WaitForDialog("Path Editor", &editor)
        .Then([&] { Click(editor, IDC_PATH_ADD); })
        .WaitForDialog("Add", &entry)
        .Then([&] {
            EXPECT_EQ(SendDlgItemMessageA(entry, IDC_PROGRAM_NAME, EM_GETLIMITTEXT, 0, 0), 255);
            EXPECT_EQ(SendDlgItemMessageA(entry, IDC_EDIT_FIELD, EM_GETLIMITTEXT, 0, 0), 259);
            EXPECT_EQ(SendDlgItemMessageA(entry, IDC_WORKING_DIRECTORY, EM_GETLIMITTEXT, 0, 0), 259);
            Fill("VqTestNew.exe", nullptr, nullptr);
        })
        .Then([&] {
            okWithNameOnly = Enabled(entry, IDOK);
            Fill(nullptr, "C:\\New\\new.exe", "");
        })
        .Then([&] {
            okWithBoth = Enabled(entry, IDOK);
            Click(entry, IDOK);
        })
        .When([&] { return FindThreadDialog("Add") == nullptr; },
              [&] {
                  EXPECT_EQ(SelectedLine(List()), "VqTestNew.exe");
                  EXPECT_TRUE(Enabled(editor, IDC_PATH_EDIT));
                  Click(editor, IDC_PATH_ADD);
              })
        .WaitForDialog("Add", &entry)
        .Then([&] {
            Fill("VQTESTTOOL.EXE", "C:\\Newer\\tool.exe", "C:\\Newer");
            Click(entry, IDOK);
        })
        .AnswerMessageBox(&question, IDNO)
        .When([] { return FindMessageBox() == nullptr; },
              [&] {
                  focusAfterNo = GetFocus();
                  nameField = GetDlgItem(entry, IDC_PROGRAM_NAME);
                  EXPECT_EQ(AppPathEntryExists("VqTestTool.exe"), true);
                  EXPECT_EQ(ReadAppPathEntry("VqTestTool.exe").programPath, "C:\\Old\\tool.exe");
                  Click(entry, IDOK);
              })
        .AnswerMessageBox(nullptr, IDYES)
        .When([&] { return FindThreadDialog("Add") == nullptr; },
              [&] {
                  EXPECT_EQ(LinesNamed("VqTestTool.exe"), 1);
                  EXPECT_EQ(_stricmp(SelectedLine(List()).c_str(), "VqTestTool.exe"), 0);
              });
    Run(script);
    EXPECT_FALSE(okWithNameOnly);
    EXPECT_TRUE(okWithBoth);
    ExpectOverwriteQuestion(question);
    EXPECT_EQ(focusAfterNo, nameField);
    EXPECT_EQ(ReadAppPathEntry("VqTestNew.exe").programPath, "C:\\New\\new.exe");
    EXPECT_EQ(ReadAppPathEntry("VqTestTool.exe").programPath, "C:\\Newer\\tool.exe");
    EXPECT_EQ(ReadAppPathEntry("VqTestTool.exe").workingDirectory, "C:\\Newer");
}

TEST_F(PathEditor, RefusesANameThatWouldReachADeeperKey)
{
    MessageBoxSeen refusal;
    bool stillOpen = false;
    UiScript script;
    script.WaitForDialog("Path Editor", &editor)
        .Then([&] { Click(editor, IDC_PATH_ADD); })
        .WaitForDialog("Add", &entry)
        .Then([&] {
            Fill("VqTestDir\\inner.exe", "C:\\x.exe", "C:\\");
            Click(entry, IDOK);
        })
        .AnswerMessageBox(&refusal, IDOK)
        .When([] { return FindMessageBox() == nullptr; },
              [&] {
                  stillOpen = IsWindowVisible(entry) != FALSE;
                  Click(entry, IDCANCEL);
              });
    Run(script);
    EXPECT_EQ(refusal.text,
              "The program name cannot be empty or contain a backslash (\\).  Type the name the program is started "
              "by, such as notepad.exe.");
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, std::string(kAppPathsKey) + "\\VqTestDir"));
}

TEST_F(PathEditor, EditsAnEntryAndRenamesIt)
{
    WriteAppPathEntry({"VqTestEdit.exe", "C:\\E\\edit.exe", "C:\\E"});
    std::string title, shownPath, shownDirectory;
    bool okAtOpening = false;
    UiScript script;
    script.WaitForDialog("Path Editor", &editor)
        .Then([&] { Select("VqTestEdit.exe"); })
        .When([&] { return Enabled(editor, IDC_PATH_EDIT); }, [&] { Click(editor, IDC_PATH_EDIT); })
        .WaitForDialog("Edit", &entry)
        .Then([&] {
            title = WindowText(entry);
            shownPath = WindowText(GetDlgItem(entry, IDC_EDIT_FIELD));
            shownDirectory = WindowText(GetDlgItem(entry, IDC_WORKING_DIRECTORY));
            okAtOpening = Enabled(entry, IDOK);
            Fill(nullptr, "C:\\E2\\edit.exe", "C:\\E2");
            Click(entry, IDOK);
        })
        .When([&] { return FindThreadDialog("Edit") == nullptr; },
              [&] {
                  EXPECT_EQ(SelectedLine(List()), "VqTestEdit.exe");
                  Click(editor, IDC_PATH_EDIT);
              })
        .WaitForDialog("Edit", &entry)
        .Then([&] {
            Fill("VqTestRenamed.exe", nullptr, nullptr);
            Click(entry, IDOK);
        })
        .When([&] { return FindThreadDialog("Edit") == nullptr; },
              [&] {
                  EXPECT_EQ(SelectedLine(List()), "VqTestRenamed.exe");
                  const auto lines = ListBox(List()).Items();
                  EXPECT_EQ(std::find(lines.begin(), lines.end(), "VqTestEdit.exe"), lines.end());
              });
    Run(script);
    EXPECT_EQ(title, "Edit");
    EXPECT_EQ(shownPath, "C:\\E\\edit.exe");
    EXPECT_EQ(shownDirectory, "C:\\E");
    EXPECT_TRUE(okAtOpening);
    EXPECT_FALSE(AppPathEntryExists("VqTestEdit.exe"));
    EXPECT_EQ(ReadAppPathEntry("VqTestRenamed.exe").programPath, "C:\\E2\\edit.exe");
    EXPECT_EQ(ReadAppPathEntry("VqTestRenamed.exe").workingDirectory, "C:\\E2");
}

TEST_F(PathEditor, RenamingOntoAnotherEntryAsksAndLeavesOneLine)
{
    WriteAppPathEntry({"VqTestFrom.exe", "C:\\F\\from.exe", "C:\\F"});
    WriteAppPathEntry({"VqTestOnto.exe", "C:\\O\\onto.exe", "C:\\O"});
    MessageBoxSeen question;
    HWND focusAfterNo = nullptr, nameField = nullptr;
    UiScript script;
    script.WaitForDialog("Path Editor", &editor)
        .Then([&] { Select("VqTestFrom.exe"); })
        .When([&] { return Enabled(editor, IDC_PATH_EDIT); }, [&] { Click(editor, IDC_PATH_EDIT); })
        .WaitForDialog("Edit", &entry)
        .Then([&] {
            Fill("vqtestonto.exe", nullptr, nullptr);
            Click(entry, IDOK);
        })
        .AnswerMessageBox(&question, IDNO)
        .When([] { return FindMessageBox() == nullptr; },
              [&] {
                  focusAfterNo = GetFocus();
                  nameField = GetDlgItem(entry, IDC_PROGRAM_NAME);
                  EXPECT_EQ(ReadAppPathEntry("VqTestOnto.exe").programPath, "C:\\O\\onto.exe");
                  EXPECT_TRUE(AppPathEntryExists("VqTestFrom.exe"));
                  Click(entry, IDOK);
              })
        .AnswerMessageBox(nullptr, IDYES)
        .When([&] { return FindThreadDialog("Edit") == nullptr; },
              [&] {
                  EXPECT_EQ(LinesNamed("VqTestOnto.exe"), 1);
                  EXPECT_EQ(LinesNamed("VqTestFrom.exe"), 0);
              });
    Run(script);
    ExpectOverwriteQuestion(question);
    EXPECT_EQ(focusAfterNo, nameField);
    EXPECT_FALSE(AppPathEntryExists("VqTestFrom.exe"));
    EXPECT_EQ(ReadAppPathEntry("VqTestOnto.exe").programPath, "C:\\F\\from.exe");
}

TEST_F(PathEditor, EditingKeepsExpandableValuesExpandable)
{
    WriteAppPathEntry({"VqTestExpand.exe", "%SystemRoot%\\vq.exe", "%SystemRoot%", true, true});
    UiScript script;
    script.WaitForDialog("Path Editor", &editor)
        .Then([&] { Select("VqTestExpand.exe"); })
        .When([&] { return Enabled(editor, IDC_PATH_EDIT); }, [&] { Click(editor, IDC_PATH_EDIT); })
        .WaitForDialog("Edit", &entry)
        .Then([&] {
            Fill(nullptr, "%SystemRoot%\\vq2.exe", nullptr);
            Click(entry, IDOK);
        })
        .When([&] { return FindThreadDialog("Edit") == nullptr; }, [] {});
    Run(script);
    const std::string key = std::string(kAppPathsKey) + "\\VqTestExpand.exe";
    const auto program = ReadRawValue(HKEY_LOCAL_MACHINE, key, "");
    const auto directory = ReadRawValue(HKEY_LOCAL_MACHINE, key, "Path");
    ASSERT_TRUE(program && directory);
    EXPECT_EQ(program->type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(program->data, std::string("%SystemRoot%\\vq2.exe", 20) + '\0');
    EXPECT_EQ(directory->type, static_cast<DWORD>(REG_EXPAND_SZ));
    DeleteAppPathEntry("VqTestExpand.exe", AppPathTable::Machine);
}

TEST_F(PathEditor, RemovesOnlyAfterYes)
{
    WriteAppPathEntry({"VqTestGone.exe", "C:\\g.exe", "C:\\"});
    MessageBoxSeen question;
    UiScript script;
    script.WaitForDialog("Path Editor", &editor)
        .Then([&] { Select("VqTestGone.exe"); })
        .When([&] { return Enabled(editor, IDC_PATH_REMOVE); }, [&] { Click(editor, IDC_PATH_REMOVE); })
        .AnswerMessageBox(&question, IDNO)
        .When([] { return FindMessageBox() == nullptr; },
              [&] {
                  EXPECT_TRUE(AppPathEntryExists("VqTestGone.exe"));
                  EXPECT_EQ(SelectedLine(List()), "VqTestGone.exe");
                  Click(editor, IDC_PATH_REMOVE);
              })
        .AnswerMessageBox(nullptr, IDYES)
        .When([] { return FindMessageBox() == nullptr; },
              [&] {
                  const auto lines = ListBox(List()).Items();
                  EXPECT_EQ(std::find(lines.begin(), lines.end(), "VqTestGone.exe"), lines.end());
              });
    Run(script);
    EXPECT_EQ(question.text, "Are you sure you want to delete this file from your path?");
    EXPECT_EQ(question.caption, "Confirm");
    EXPECT_FALSE(AppPathEntryExists("VqTestGone.exe"));
}

TEST_F(PathEditor, ReloadShowsOutsideChangesAndKeepsThePosition)
{
    WriteAppPathEntry({"VqTestA.exe", "C:\\a.exe", "C:\\"});
    int before = -1, after = -2;
    UiScript script;
    script.WaitForDialog("Path Editor", &editor)
        .Then([&] {
            Select("VqTestA.exe");
            before = static_cast<int>(SendMessageA(List(), LB_GETCURSEL, 0, 0));
            WriteAppPathEntry({"VqTestOutside.exe", "C:\\o.exe", "C:\\"});
            Click(editor, IDC_PATH_RELOAD);
        })
        .Then([&] {
            const auto lines = ListBox(List()).Items();
            EXPECT_NE(std::find(lines.begin(), lines.end(), "VqTestOutside.exe"), lines.end());
            after = static_cast<int>(SendMessageA(List(), LB_GETCURSEL, 0, 0));
        });
    Run(script);
    EXPECT_GE(before, 0);
    EXPECT_EQ(after, before);
}

TEST_F(PathEditor, FindStepsThroughTheMatchesAndWraps)
{
    for (const char* name : {"VqTestNoteA.exe", "VqTestNoteB.exe", "VqTestOther.exe"})
        WriteAppPathEntry({name, "C:\\n.exe", "C:\\"});
    std::vector<std::string> found;
    HWND find = nullptr;
    MessageBoxSeen notFound;
    UiScript script;
    script.WaitForDialog("Path Editor", &editor);
    for (int i = 0; i < 3; ++i) {
        script.Then([&] { Click(editor, IDC_PATH_FIND); })
            .WaitForDialog("Find", &find)
            .Then([&] {
                SetDlgItemTextA(find, IDC_EDIT_FIELD, "vqtestnote");
                Click(find, IDOK);
            })
            .When([] { return FindThreadDialog("Find") == nullptr; }, [&] { found.push_back(SelectedLine(List())); });
    }
    script.Then([&] { Click(editor, IDC_PATH_FIND); })
        .WaitForDialog("Find", &find)
        .Then([&] {
            SetDlgItemTextA(find, IDC_EDIT_FIELD, "VqTestNothing");
            Click(find, IDOK);
        })
        .AnswerMessageBox(&notFound, IDOK)
        .WaitForDialog("Find", &find)
        .Then([&] {
            EXPECT_EQ(WindowText(GetDlgItem(find, IDC_EDIT_FIELD)), "VqTestNothing");
            Click(find, IDCANCEL);
        })
        .When([] { return FindThreadDialog("Find") == nullptr; },
              [&] { EXPECT_EQ(SelectedLine(List()), "VqTestNoteA.exe") << "unchanged by the cancelled find"; });
    Run(script);
    EXPECT_EQ(found, (std::vector<std::string>{"VqTestNoteA.exe", "VqTestNoteB.exe", "VqTestNoteA.exe"}));
    EXPECT_EQ(notFound.text, "The file 'VqTestNothing' was not found.");
    EXPECT_EQ(notFound.caption, "Not Found");
}

TEST_F(PathEditor, BrowseFillsThePathAndFolderButNotTheName)
{
    const std::string folder = TempPath("VqTools");
    const std::string program = folder + "\\app.exe";
    CreateDirectoryA(folder.c_str(), nullptr);
    CloseHandle(CreateFileA(program.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

    CRegeditDlg dialog;
    dialog.m_isNew = true;
    HWND browse = nullptr;
    std::string shownFilter;
    UiScript script;
    script.WaitForDialog("Add", &entry)
        .Then([&] {
            Fill("tool.exe", folder.c_str(), nullptr);
            Click(entry, IDC_BROWSE);
        })
        .WaitForDialog("Browse", &browse)
        .Then([&] {
            HWND types = GetDlgItem(browse, 0x470);
            char text[128] = {};
            SendMessageA(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
            shownFilter = text;
            HWND name = GetDlgItem(browse, 0x47c) ? GetDlgItem(browse, 0x47c) : GetDlgItem(browse, 0x480);
            SetWindowTextA(name, program.c_str());
            Click(browse, IDOK);
        })
        .When([&] { return FindThreadDialog("Browse") == nullptr; },
              [&] {
                  EXPECT_EQ(WindowText(GetDlgItem(entry, IDC_PROGRAM_NAME)), "tool.exe");
                  EXPECT_EQ(WindowText(GetDlgItem(entry, IDC_EDIT_FIELD)), program);
                  EXPECT_EQ(WindowText(GetDlgItem(entry, IDC_WORKING_DIRECTORY)), folder);
                  EXPECT_EQ(GetFocus(), GetDlgItem(entry, IDOK));
                  Click(entry, IDCANCEL);
              });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(shownFilter, "Programs");
    EXPECT_FALSE(AppPathEntryExists("tool.exe")) << "Cancel writes nothing";
    DeleteFileA(program.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST_F(PathEditor, WithoutRightsToTheMachinesTableEntriesGoToTheUsersOwnAndTheListShowsOnlyWhatWasStored)
{
    WriteAppPathEntry({"VqTestShared.exe", "C:\\s.exe", "C:\\"});
    RefuseAppPathWrites(true);
    const auto tableOf = [&](const char* name) {
        const LRESULT index = SendMessageA(List(), LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(name));
        return index < 0 ? -1 : static_cast<int>(SendMessageA(List(), LB_GETITEMDATA, index, 0));
    };
    MessageBoxSeen removeRefused, bothRefused;
    UiScript script;
    script.WaitForDialog("Path Editor", &editor)
        .Then([&] { Click(editor, IDC_PATH_ADD); })
        .WaitForDialog("Add", &entry)
        .Then([&] {
            Fill("VqTestOwn.exe", "C:\\Own\\own.exe", "C:\\Own");
            Click(entry, IDOK);
        })
        .When([&] { return FindThreadDialog("Add") == nullptr; },
              [&] {
                  EXPECT_EQ(tableOf("VqTestOwn.exe"), static_cast<int>(AppPathTable::User));
                  EXPECT_EQ(tableOf("VqTestShared.exe"), static_cast<int>(AppPathTable::Machine));
                  Select("VqTestShared.exe");
              })
        .When([&] { return Enabled(editor, IDC_PATH_REMOVE); }, [&] { Click(editor, IDC_PATH_REMOVE); })
        .AnswerMessageBox(nullptr, IDYES)
        .AnswerMessageBox(&removeRefused, IDOK)
        .When([] { return FindMessageBox() == nullptr; },
              [&] {
                  EXPECT_EQ(tableOf("VqTestShared.exe"), static_cast<int>(AppPathTable::Machine));
                  RefuseAppPathWrites(true, true);
                  Click(editor, IDC_PATH_ADD);
              })
        .WaitForDialog("Add", &entry)
        .Then([&] {
            Fill("VqTestNone.exe", "C:\\n.exe", "C:\\");
            Click(entry, IDOK);
        })
        .AnswerMessageBox(&bothRefused, IDOK)
        .When([&] { return FindMessageBox() == nullptr; },
              [&] {
                  EXPECT_EQ(WindowText(GetDlgItem(entry, IDC_PROGRAM_NAME)), "VqTestNone.exe") << "nothing typed is lost";
                  PressKey(entry, VK_ESCAPE);
              })
        .When([&] { return FindThreadDialog("Add") == nullptr; },
              [&] { EXPECT_EQ(tableOf("VqTestNone.exe"), -1); });
    Run(script);
    EXPECT_EQ(FindAppPathTable("VqTestOwn.exe"), AppPathTable::User);
    EXPECT_EQ(removeRefused.caption, "Velquin");
    EXPECT_EQ(removeRefused.text, "The entry 'VqTestShared.exe' could not be removed: Windows refused the change to "
                                  "the machine's App Paths.  Ask an administrator to remove it.");
    EXPECT_EQ(bothRefused.text, "The entry 'VqTestNone.exe' could not be saved: Windows refused the change to both "
                                "the machine's App Paths and your own.");
}
