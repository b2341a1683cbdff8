// The real main window, opened in this process with a clean profile, for tests to drive.
#pragma once

#include "TestSupport.h"
#include "UiScript.h"

#include "launcher/VelquinDlg.h"
#include "res/resource.h"
#include "settings/ProfileLayout.h"
#include "settings/SettingsRecord.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// A clean profile holding the first-run settings, for a test to change before the window opens.
class MainWindow : public ::testing::Test {
protected:
    CleanProfile clean;
    TestApp app;
    HWND window = nullptr;

    void SetUp() override
    {
        SettingsRecord settings;
        settings.LoadSettings(AppProfile());
        // Away from where the window opens: a mouse movement over it runs the control rules.
        SetCursorPos(0, 0);
    }
    void Set(const char* name, int value) { AppProfile().WriteInt(profile::kSettings, name, value); }
    void History(std::initializer_list<const char*> newestFirst)
    {
        int position = 1;
        for (const char* text : newestFirst)
            AppProfile().WriteString(profile::kHistory, "File #" + std::to_string(position++), text);
    }

    HWND Box() const { return GetDlgItem(window, IDC_HISTORY_COMBO); }
    HWND Edit() const { return FindWindowExA(Box(), nullptr, "Edit", nullptr); }
    std::string Text() const { return WindowText(Box()); }
    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(window, id)) != FALSE; }
    bool Checked(int id) const { return IsDlgButtonChecked(window, id) == BST_CHECKED; }
    std::string Selection() const
    {
        DWORD start = 0, end = 0;
        SendMessageA(Box(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return Text() + " [" + std::to_string(start) + "," + std::to_string(end) + ")";
    }
    std::vector<std::string> Items() const
    {
        std::vector<std::string> items;
        const int count = static_cast<int>(SendMessageA(Box(), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[300] = {};
            SendMessageA(Box(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            items.push_back(text);
        }
        return items;
    }

    // Opens the window, runs the steps inside it, and ends it with Escape.
    void Run(CVelquinDlg& dialog, const std::function<void(UiScript&)>& steps)
    {
        UiScript script;
        script.WaitForDialog("Velquin", &window);
        steps(script);
        script.Then([this] { PressKey(Edit(), VK_ESCAPE); });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_TRUE(script.Finished());
    }
    void Run(const std::function<void(UiScript&)>& steps)
    {
        CVelquinDlg dialog;
        Run(dialog, steps);
    }
};

