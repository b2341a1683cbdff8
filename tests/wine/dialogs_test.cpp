// Find, the history editor and the About box on their real templates.
#include "TestSupport.h"
#include "UiScript.h"

#include "app/AboutDlg.h"
#include "history/FindDlg.h"
#include "history/HistoryEditor.h"
#include "res/resource.h"
#include "settings/ProfileLayout.h"

#include <gtest/gtest.h>

using namespace profile;

namespace {

bool Enabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

int Selected(HWND list)
{
    return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
}

// A selection as the user makes it: the list box tells the dialog.
void SelectLine(HWND dialog, int listId, int index)
{
    HWND list = GetDlgItem(dialog, listId);
    SendMessageA(list, LB_SETCURSEL, index, 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

}  // namespace

TEST(FindDialog, OkWaitsForATextAndReturnsIt)
{
    HWND dialog = nullptr;
    bool okAtOpening = true, okWithText = false, okEmptiedAgain = true;
    CFindDlg find;
    UiScript script;
    script.WaitForDialog("Find", &dialog)
        .Then([&] {
            okAtOpening = Enabled(dialog, IDOK);
            SetDlgItemTextA(dialog, IDC_EDIT_FIELD, "note");
        })
        .Then([&] {
            okWithText = Enabled(dialog, IDOK);
            SetDlgItemTextA(dialog, IDC_EDIT_FIELD, "");
        })
        .Then([&] {
            okEmptiedAgain = Enabled(dialog, IDOK);
            PressKey(GetDlgItem(dialog, IDC_EDIT_FIELD), VK_RETURN);  // Enter with no text: nothing
        })
        .Then([&] {
            EXPECT_TRUE(IsWindowVisible(dialog));
            SetDlgItemTextA(dialog, IDC_EDIT_FIELD, "mspaint");
        })
        .Then([&] { Click(dialog, IDOK); });
    EXPECT_EQ(find.DoModal(), IDOK);
    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(okAtOpening);
    EXPECT_TRUE(okWithText);
    EXPECT_FALSE(okEmptiedAgain);
    EXPECT_EQ(find.SearchText(), "mspaint");

    CFindDlg again("Notes");
    bool okAtOnce = false;
    std::string shown;
    UiScript second;
    second.WaitForDialog("Find", &dialog).Then([&] {
        okAtOnce = Enabled(dialog, IDOK);
        shown = WindowText(GetDlgItem(dialog, IDC_EDIT_FIELD));
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(again.DoModal(), IDCANCEL);
    EXPECT_TRUE(okAtOnce);
    EXPECT_EQ(shown, "Notes");
}

class HistoryEditorTest : public ::testing::Test {
protected:
    CleanProfile clean;
    TestApp app;
    HWND dialog = nullptr;
    HWND List() const { return GetDlgItem(dialog, IDC_HISTORY_LIST); }
    void Entries(std::initializer_list<const char*> texts)
    {
        int n = 1;
        for (const char* text : texts)
            AppProfile().WriteString(kHistory, "File #" + std::to_string(n++), text);
    }
};

TEST_F(HistoryEditorTest, RemovesEntriesByTheValueEachLineWasReadFrom)
{
    Entries({"notepad", "mspaint", "write"});
    CHistoryEditor editor;
    std::vector<std::string> opened;
    bool removeAtOpening = true;
    int selectedAfterFirst = -2;
    bool removeAfterLast = true;
    UiScript script;
    script.WaitForDialog("Velquin History", &dialog)
        .Then([&] {
            opened = ListBox(List()).Items();
            removeAtOpening = Enabled(dialog, IDC_HISTORY_REMOVE);
            SelectLine(dialog, IDC_HISTORY_LIST, 0);
        })
        .When([&] { return Enabled(dialog, IDC_HISTORY_REMOVE); }, [&] { Click(dialog, IDC_HISTORY_REMOVE); })
        .Then([&] {
            selectedAfterFirst = Selected(List());
            SelectLine(dialog, IDC_HISTORY_LIST, 1);
        })
        .Then([&] { Click(dialog, IDC_HISTORY_REMOVE); })
        .Then([&] {
            removeAfterLast = Enabled(dialog, IDC_HISTORY_REMOVE);
            Click(dialog, IDCANCEL);
        });
    editor.DoModal();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(opened, (std::vector<std::string>{"notepad", "mspaint", "write"}));
    EXPECT_FALSE(removeAtOpening);
    EXPECT_EQ(selectedAfterFirst, 0) << "the line that followed";
    EXPECT_FALSE(removeAfterLast);
    EXPECT_EQ(editor.LastRemovedText(), "write");
    EXPECT_EQ(AppProfile().ValueNames(kHistory), (std::vector<std::string>{"File #2"}));
    EXPECT_EQ(AppProfile().ReadString(kSettings, kConfig), "") << "entries remain";
}

TEST_F(HistoryEditorTest, RemovingTheOnlyEntryMarksTheHistoryCleared)
{
    Entries({"notepad"});
    CHistoryEditor editor;
    UiScript script;
    script.WaitForDialog("Velquin History", &dialog)
        .Then([&] { SelectLine(dialog, IDC_HISTORY_LIST, 0); })
        .Then([&] { Click(dialog, IDC_HISTORY_REMOVE); })
        .Then([&] {
            EXPECT_TRUE(ListBox(List()).Items().empty());
            EXPECT_FALSE(Enabled(dialog, IDC_HISTORY_REMOVE));
            Click(dialog, IDCANCEL);
        });
    editor.DoModal();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(AppProfile().ReadString(kSettings, kConfig), "Cleared");
    EXPECT_TRUE(AppProfile().ValueNames(kHistory).empty());
}

TEST_F(HistoryEditorTest, FindAsksAgainUntilFoundAndFindNextStepsOn)
{
    Entries({"c:\\notes.txt", "Notepad.exe", "mspaint", "notepad2"});
    CHistoryEditor editor;
    HWND find = nullptr;
    MessageBoxSeen notFound;
    std::string reopenedWith;
    std::vector<int> found;
    UiScript script;
    script.WaitForDialog("Velquin History", &dialog)
        .Then([&] { Click(dialog, IDC_HISTORY_FIND_NEXT); })  // before any Find: acts as Find
        .WaitForDialog("Find", &find)
        .Then([&] {
            SetDlgItemTextA(find, IDC_EDIT_FIELD, "write");
            Click(find, IDOK);
        })
        .AnswerMessageBox(&notFound, IDOK)
        .WaitForDialog("Find", &find)
        .Then([&] {
            reopenedWith = WindowText(GetDlgItem(find, IDC_EDIT_FIELD));
            SetDlgItemTextA(find, IDC_EDIT_FIELD, "note");
            Click(find, IDOK);
        })
        .When([&] { return FindThreadDialog("Find") == nullptr; },
              [&] {
                  found.push_back(Selected(List()));
                  Click(dialog, IDC_HISTORY_FIND_NEXT);
              })
        .WaitForDialog("Find", &find)
        .Then([&] {
            EXPECT_EQ(WindowText(GetDlgItem(find, IDC_EDIT_FIELD)), "") << "emptied after a find";
            SetDlgItemTextA(find, IDC_EDIT_FIELD, "NOTE");
            Click(find, IDOK);
        })
        .When([&] { return FindThreadDialog("Find") == nullptr; },
              [&] {
                  found.push_back(Selected(List()));
                  Click(dialog, IDCANCEL);
              });
    editor.DoModal();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(notFound.text, "The entry 'write' was not found.");
    EXPECT_EQ(notFound.caption, "Not Found");
    EXPECT_EQ(notFound.icon, LoadIconA(nullptr, IDI_ASTERISK));
    EXPECT_EQ(reopenedWith, "write");
    EXPECT_EQ(found, (std::vector<int>{1, 3}));
    EXPECT_EQ(editor.LastRemovedText(), "");
}

namespace {

// Hides a system tool for a while, as on a system without it.
class WithoutTool {
public:
    explicit WithoutTool(const std::string& file)
    {
        char folder[MAX_PATH] = {};
        GetSystemDirectoryA(folder, MAX_PATH);
        Hide(std::string(folder) + "\\" + file);
        GetWindowsDirectoryA(folder, MAX_PATH);
        Hide(std::string(folder) + "\\" + file);
    }
    ~WithoutTool()
    {
        for (const std::string& path : moved_)
            MoveFileA((path + ".away").c_str(), path.c_str());
    }

private:
    void Hide(const std::string& path)
    {
        if (MoveFileA(path.c_str(), (path + ".away").c_str()))
            moved_.push_back(path);
    }
    std::vector<std::string> moved_;
};

}  // namespace

TEST(AboutBox, SystemInfoWithoutTheToolShowsTheMessageAndStaysOpen)
{
    WithoutTool missing("msinfo32.exe");
    CAboutDlg about;
    HWND dialog = nullptr;
    MessageBoxSeen seen;
    bool openAfter = false;
    UiScript script;
    script.WaitForDialog("About Velquin...", &dialog)
        .Then([&] { Click(dialog, IDC_SYSTEM_INFO); })
        .AnswerMessageBox(&seen, IDOK)
        .When([] { return FindMessageBox() == nullptr; },
              [&] {
                  openAfter = IsWindowVisible(dialog) != FALSE;
                  PressKey(GetDlgItem(dialog, IDOK), VK_ESCAPE);
              });
    EXPECT_EQ(about.DoModal(), IDCANCEL);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(seen.text, "There was an error launching Microsoft System Information");
    EXPECT_EQ(seen.caption, "Velquin");
    EXPECT_EQ(seen.icon, LoadIconA(nullptr, IDI_HAND));
    EXPECT_TRUE(openAfter);
}
