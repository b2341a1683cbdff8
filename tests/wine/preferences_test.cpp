// The Preferences dialog on its real template, its message boxes answered for real.
#include "TestSupport.h"
#include "UiScript.h"

#include "launcher/HistoryLog.h"
#include "res/resource.h"
#include "settings/Option.h"
#include "settings/ProfileLayout.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>

using namespace profile;

namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class Preferences : public ::testing::Test {
protected:
    CleanProfile clean;
    TestApp app;
    HWND dialog = nullptr;

    void SetUp() override
    {
        COption first;
        first.LoadSettings();  // the first-run record
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, "Velquin");
    }

    bool Checked(int id) const { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
    std::string Text(int id) const { return WindowText(GetDlgItem(dialog, id)); }

    // Opens the dialog as the Options command does (loaded, with the history's capacity in the count) and
    // runs the steps inside it.
    INT_PTR Run(const std::function<void(UiScript&)>& steps, int capacity = 30)
    {
        COption option;
        option.LoadSettings();
        option.MaxHistory = capacity;
        UiScript script;
        script.WaitForDialog("Preferences", &dialog);
        steps(script);
        const INT_PTR result = option.DoModal();
        return result;
    }
};

}  // namespace

TEST_F(Preferences, OpensWithTheStoredSettings)
{
    auto steps = [&](UiScript& script) {
        script.Then([&] {
            EXPECT_EQ(Text(IDC_EDIT_FIELD), "25");
            for (int id : {IDC_START_AUTO, IDC_HIDE_ON_SUCCESS, IDC_PUT_ICON_IN_TRAY, IDC_PROMPT_LOG_OFF,
                           IDC_PROMPT_RESTART, IDC_PROMPT_SHUTDOWN, IDC_SHOW_NORMAL})
                EXPECT_TRUE(Checked(id)) << id;
            for (int id : {IDC_CLEAR_HISTORY_AUTO, IDC_START_MIN, IDC_SAVE_TO_FILE, IDC_SHOW_MAXIMIZED,
                           IDC_SHOW_MINIMIZED})
                EXPECT_FALSE(Checked(id)) << id;
            EXPECT_FALSE(Enabled(IDC_LOG_FILE));
            EXPECT_FALSE(Enabled(IDC_CHOOSE_LOG_FILE));
            EXPECT_FALSE(Enabled(IDC_VIEW_LOG));
            EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_LOG_FILE, EM_GETLIMITTEXT, 0, 0), 259);
            Click(dialog, IDCANCEL);
        });
    };
    EXPECT_EQ(Run(steps, 25), IDCANCEL);
}

TEST_F(Preferences, ACountOutsideOneToNinetyNineIsRefused)
{
    std::vector<MessageBoxSeen> seen(3);
    std::vector<HWND> focus(3);
    HWND countField = nullptr;
    auto steps = [&](UiScript& script) {
        for (size_t i = 0; i < 3; ++i) {
            const char* count = i == 0 ? "0" : i == 1 ? "100" : "";
            script.Then([this, count] {
                      SetDlgItemTextA(dialog, IDC_EDIT_FIELD, count);
                      Click(dialog, IDOK);
                  })
                .AnswerMessageBox(&seen[i], IDOK)
                .When([] { return FindMessageBox() == nullptr; },
                      [this, &focus, &countField, i] {
                          focus[i] = GetFocus();
                          countField = GetDlgItem(dialog, IDC_EDIT_FIELD);
                      });
        }
        script.Then([&] { Click(dialog, IDCANCEL); });
    };
    EXPECT_EQ(Run(steps), IDCANCEL);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(seen[i].text, "Please enter an integer between 1 and 99") << i;
        EXPECT_EQ(seen[i].caption, "Velquin");
        EXPECT_EQ(seen[i].icon, LoadIconA(nullptr, IDI_EXCLAMATION));
        EXPECT_EQ(focus[i], countField) << i;
    }
    EXPECT_EQ(AppProfile().ReadInt(kSettings, kMaxHistory, 0), 30) << "nothing saved";
}

TEST_F(Preferences, OkSavesEverySettingAndMaintainsTheRunEntry)
{
    auto steps = [&](UiScript& script) {
        script.Then([&] {
            SetDlgItemTextA(dialog, IDC_EDIT_FIELD, "12");
            for (int id : {IDC_CLEAR_HISTORY_AUTO, IDC_START_MIN, IDC_HIDE_ON_SUCCESS, IDC_PROMPT_RESTART})
                ClickButton(GetDlgItem(dialog, id));
            ClickButton(GetDlgItem(dialog, IDC_SHOW_MAXIMIZED));
        });
        script.Then([&] { Click(dialog, IDOK); });
    };
    EXPECT_EQ(Run(steps), IDOK);

    ProfileStore& p = AppProfile();
    EXPECT_EQ(p.ReadInt(kSettings, kMaxHistory, 0), 12);
    EXPECT_EQ(p.ReadInt(kSettings, kClearHistoryAuto, 0), 1);
    EXPECT_EQ(p.ReadInt(kSettings, kStartMin, 0), 1);
    EXPECT_EQ(p.ReadInt(kSettings, kHideOnSuccess, 1), 0);
    EXPECT_EQ(p.ReadInt(kSettings, kPromptOnRestart, 1), 0);
    EXPECT_EQ(p.ReadInt(kSettings, kShowWindow, 0), 3);
    EXPECT_EQ(p.ReadInt(kSettings, kPromptOnLogOff, 0), 1);
    EXPECT_EQ(p.ReadString(kSettings, kSaved), "Options saved");

    char self[512] = {};
    GetModuleFileNameA(nullptr, self, sizeof(self));
    const auto run = ReadRawValue(HKEY_CURRENT_USER, kRunKey, "Velquin");
    ASSERT_TRUE(run);
    EXPECT_EQ(run->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(run->data, std::string(self) + '\0');
    EXPECT_EQ(p.ReadString(kSettings, kVelquinPath), self);

    auto off = [&](UiScript& script) {
        script.Then([&] {
               ClickButton(GetDlgItem(dialog, IDC_START_AUTO));
           })
            .Then([&] { Click(dialog, IDOK); });
    };
    EXPECT_EQ(Run(off), IDOK);
    EXPECT_FALSE(ReadRawValue(HKEY_CURRENT_USER, kRunKey, "Velquin")) << "deleted with the box off";
    EXPECT_EQ(p.ReadInt(kSettings, kStartAuto, 1), 0);
}

TEST_F(Preferences, DefaultThenCancelChangesNothing)
{
    AppProfile().WriteInt(kSettings, kMaxHistory, 7);
    AppProfile().WriteInt(kSettings, kHideOnSuccess, 0);
    AppProfile().WriteInt(kSettings, kShowWindow, 2);
    std::string count;
    bool hide = false, normal = false;
    auto steps = [&](UiScript& script) {
        script.Then([&] { Click(dialog, IDC_DEFAULTS); })
            .Then([&] {
                count = Text(IDC_EDIT_FIELD);
                hide = Checked(IDC_HIDE_ON_SUCCESS);
                normal = Checked(IDC_SHOW_NORMAL) && !Checked(IDC_SHOW_MINIMIZED);
                Click(dialog, IDCANCEL);
            });
    };
    EXPECT_EQ(Run(steps, 7), IDCANCEL);
    EXPECT_EQ(count, "30");
    EXPECT_TRUE(hide);
    EXPECT_TRUE(normal);
    EXPECT_EQ(AppProfile().ReadInt(kSettings, kMaxHistory, 0), 7);
    EXPECT_EQ(AppProfile().ReadInt(kSettings, kHideOnSuccess, 1), 0);
    EXPECT_EQ(AppProfile().ReadInt(kSettings, kShowWindow, 0), 2);
}

TEST_F(Preferences, AnExistingLogFileIsReplacedOnlyWhenTheUserSaysSo)
{
    const std::string log = TempPath("velquin-prefs.log");
    std::ofstream(log, std::ios::binary) << "keep me";
    AppProfile().WriteInt(kSettings, kSaveToFile, 1);
    AppProfile().WriteString(kSettings, kLogFile, log);

    MessageBoxSeen seen;
    auto steps = [&](UiScript& script) {
        script.Then([&] { Click(dialog, IDOK); }).AnswerMessageBox(&seen, IDNO);
    };
    EXPECT_EQ(Run(steps), IDOK);
    EXPECT_EQ(seen.text, "The file '" + log + "' already exists.  Would you like to replace it?");
    EXPECT_EQ(seen.caption, "Velquin");
    EXPECT_EQ(seen.buttons, (std::vector<std::string>{"&Yes", "&No"}));
    EXPECT_EQ(ReadFile(log), "keep me");

    auto yes = [&](UiScript& script) {
        script.Then([&] { Click(dialog, IDOK); }).AnswerMessageBox(nullptr, IDYES);
    };
    EXPECT_EQ(Run(yes), IDOK);
    EXPECT_EQ(ReadFile(log), PlaceholderLogText());
    DeleteFileA(log.c_str());
}

TEST_F(Preferences, SavingNeedsALocation)
{
    bool okAfterTicking = true, okAfterTyping = false, viewAfterTyping = false;
    auto steps = [&](UiScript& script) {
        script.Then([&] { ClickButton(GetDlgItem(dialog, IDC_SAVE_TO_FILE)); })
            .Then([&] {
                okAfterTicking = Enabled(IDOK);
                EXPECT_TRUE(Enabled(IDC_LOG_FILE));
                SetDlgItemTextA(dialog, IDC_LOG_FILE, "C:\\history.log");
            })
            .Then([&] {
                okAfterTyping = Enabled(IDOK);
                viewAfterTyping = Enabled(IDC_VIEW_LOG);
                Click(dialog, IDCANCEL);
            });
    };
    Run(steps);
    EXPECT_FALSE(okAfterTicking);
    EXPECT_TRUE(okAfterTyping);
    EXPECT_TRUE(viewAfterTyping);
}

TEST_F(Preferences, ChoosingALogFileWritesItsPlaceholderAtOnce)
{
    const std::string log = TempPath("velquin-chosen.log");
    DeleteFileA(log.c_str());
    AppProfile().WriteInt(kSettings, kSaveToFile, 1);
    HWND save = nullptr;
    auto steps = [&](UiScript& script) {
        script.Then([&] { Click(dialog, IDC_CHOOSE_LOG_FILE); })
            .WaitForDialog("Save History To File", &save)
            .Then([&] {
                HWND name = GetDlgItem(save, 0x47c) ? GetDlgItem(save, 0x47c) : GetDlgItem(save, 0x480);
                SetWindowTextA(name, log.c_str());
                Click(save, IDOK);
            })
            // The dialog may ask whether to create the file.
            .When([&] { return FindMessageBox() != nullptr || !IsWindowVisible(save); },
                  [&] {
                      if (HWND box = FindMessageBox())
                          Click(box, IDYES);
                  })
            .When([&] { return !IsWindowVisible(save) && FindMessageBox() == nullptr; },
                  [&] {
                      EXPECT_EQ(Text(IDC_LOG_FILE), log);
                      EXPECT_TRUE(Enabled(IDOK));
                      Click(dialog, IDCANCEL);
                  });
    };
    EXPECT_EQ(Run(steps), IDCANCEL);
    EXPECT_EQ(ReadFile(log), PlaceholderLogText()) << "written even though the dialog was cancelled";
    EXPECT_EQ(AppProfile().ReadString(kFolders, kLogFile), log);
    EXPECT_EQ(AppProfile().ReadString(kSettings, kLogFile), "") << "the settings were not saved";
    DeleteFileA(log.c_str());
}

TEST_F(Preferences, ViewSaysSoWhenNotepadCannotBeStarted)
{
    char folder[MAX_PATH] = {};
    std::vector<std::string> moved;
    for (UINT (WINAPI *where)(LPSTR, UINT) : {GetSystemDirectoryA, GetWindowsDirectoryA}) {
        where(folder, MAX_PATH);
        const std::string notepad = std::string(folder) + "\\notepad.exe";
        if (MoveFileA(notepad.c_str(), (notepad + ".away").c_str()))
            moved.push_back(notepad);
    }
    AppProfile().WriteString(kSettings, kLogFile, "C:\\history.log");
    MessageBoxSeen seen;
    bool openAfter = false;
    auto steps = [&](UiScript& script) {
        script.Then([&] { Click(dialog, IDC_VIEW_LOG); })
            .AnswerMessageBox(&seen, IDOK)
            .When([] { return FindMessageBox() == nullptr; },
                  [&] {
                      openAfter = IsWindowVisible(dialog) != FALSE;
                      Click(dialog, IDCANCEL);
                  });
    };
    Run(steps);
    for (const std::string& path : moved)
        MoveFileA((path + ".away").c_str(), path.c_str());
    EXPECT_EQ(seen.text, "There was a failure launching notepad.");
    EXPECT_EQ(seen.caption, "Velquin");
    EXPECT_EQ(seen.icon, LoadIconA(nullptr, IDI_EXCLAMATION));
    EXPECT_TRUE(openAfter);
}
