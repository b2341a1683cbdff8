// Framework services that stand on the system: the file finder and the debug output.
#include "UiScript.h"

#include "framework/FileDialog.h"
#include "framework/FileFinder.h"
#include "framework/Trace.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

class TempFolder {
public:
    TempFolder()
    {
        char base[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, base);
        path_ = std::string(base) + "velquin-finder-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(path_.c_str(), nullptr);
        CreateDirectoryA((path_ + "\\Sub Folder").c_str(), nullptr);
        for (const char* name : {"\\alpha.txt", "\\Sub Folder\\beta.exe"}) {
            HANDLE file = CreateFileA((path_ + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            CloseHandle(file);
        }
    }
    ~TempFolder()
    {
        DeleteFileA((path_ + "\\alpha.txt").c_str());
        DeleteFileA((path_ + "\\Sub Folder\\beta.exe").c_str());
        RemoveDirectoryA((path_ + "\\Sub Folder").c_str());
        RemoveDirectoryA(path_.c_str());
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

std::vector<std::string>* g_traced = nullptr;

LONG CALLBACK CatchDebugOutput(EXCEPTION_POINTERS* info)
{
    if (info->ExceptionRecord->ExceptionCode != DBG_PRINTEXCEPTION_C || !g_traced)
        return EXCEPTION_CONTINUE_SEARCH;
    g_traced->push_back(reinterpret_cast<const char*>(info->ExceptionRecord->ExceptionInformation[1]));
    return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

TEST(FileFinder, FindsFilesFoldersAndPatternsWithTheirFullPath)
{
    TempFolder folder;
    std::string full;

    EXPECT_TRUE(FindFirstMatch(folder.Path() + "\\alpha.txt", &full));
    EXPECT_EQ(full, folder.Path() + "\\alpha.txt");

    EXPECT_TRUE(FindFirstMatch(folder.Path() + "\\Sub Folder", &full));
    EXPECT_EQ(full, folder.Path() + "\\Sub Folder");

    EXPECT_TRUE(FindFirstMatch(folder.Path() + "\\Sub Folder\\*.exe", &full));
    EXPECT_EQ(full, folder.Path() + "\\Sub Folder\\beta.exe");

    EXPECT_FALSE(FindFirstMatch(folder.Path() + "\\missing.txt", &full));
    EXPECT_FALSE(FindFirstMatch(folder.Path() + "\\No Such Folder\\alpha.txt"));
}

TEST(FileFinder, ARelativeNameIsFoundInTheCurrentFolder)
{
    TempFolder folder;
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder.Path().c_str());

    std::string full;
    const bool found = FindFirstMatch("alpha.txt", &full);
    SetCurrentDirectoryA(previous);

    EXPECT_TRUE(found);
    EXPECT_EQ(full, folder.Path() + "\\alpha.txt");
}

TEST(Trace, LinesGoToTheDebugOutputUnchanged)
{
    std::vector<std::string> traced;
    g_traced = &traced;
    PVOID handler = AddVectoredExceptionHandler(1, CatchDebugOutput);
    Trace("CMRUComboBox -- SaveMRU failed - no CRecentFileList created.\n");
    RemoveVectoredExceptionHandler(handler);
    g_traced = nullptr;

    ASSERT_EQ(traced.size(), 1u);
    EXPECT_EQ(traced[0], "CMRUComboBox -- SaveMRU failed - no CRecentFileList created.\n");
}

TEST(FileDialog, OpenDialogShowsTheFiltersAndReportsTheChosenPathAndFilter)
{
    TempFolder folder;
    FileDialogRequest request;
    request.title = "Browse";
    request.filter = "Programs|*.exe;*.bat;*.com;*.dll|All Files |*.*||";
    request.filterIndex = 2;
    request.initialFolder = folder.Path();
    request.flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_NODEREFERENCELINKS;

    std::string shownFilter;
    HWND dialog = nullptr;
    UiScript script;
    script.WaitForDialog("Browse", &dialog).Then([&] {
        HWND types = GetDlgItem(dialog, 0x470);  // the file-type box
        char text[128] = {};
        SendMessageA(types, CB_GETLBTEXT, SendMessageA(types, CB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(text));
        shownFilter = text;
        HWND name = GetDlgItem(dialog, 0x47c) ? GetDlgItem(dialog, 0x47c) : GetDlgItem(dialog, 0x480);
        SetWindowTextA(name, (folder.Path() + "\\alpha.txt").c_str());
        Click(dialog, IDOK);
    });
    char before[MAX_PATH] = {}, after[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, before);
    FileDialogChoice choice;
    EXPECT_TRUE(RunOpenFileDialog(request, choice));
    EXPECT_TRUE(script.Finished());
    GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_STREQ(after, before) << "a folder browsed into became the current one";
    EXPECT_EQ(shownFilter, "All Files ");
    EXPECT_EQ(choice.path, folder.Path() + "\\alpha.txt");
    EXPECT_EQ(choice.filterIndex, 2);
}

TEST(FileDialog, CancelReportsNothing)
{
    FileDialogRequest request;
    request.title = "Save History To File";
    request.filter = "All Files|*.*||";
    HWND dialog = nullptr;
    UiScript script;
    script.WaitForDialog("Save History To File", &dialog).Then([&] { Click(dialog, IDCANCEL); });
    FileDialogChoice choice;
    EXPECT_FALSE(RunSaveFileDialog(request, choice));
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(choice.path, "");
}
