// What the host tests share: the system side of the launch in memory, the launcher set up as the main
// window sets it up, and the trace lines.
#pragma once

#include "FakeLauncherWindow.h"
#include "FakeLaunchSystem.h"
#include "MemoryProfileStore.h"

#include "commands/MenuCommands.h"
#include "launch/HistoryLog.h"
#include "launch/ControlRules.h"
#include "launch/Launcher.h"
#include "settings/SettingsRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

// Every Trace() line; a test clears it before it looks.
extern std::vector<std::string> g_traced;

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Letter case folded for A-Z: as much of the system's rule as the launcher's tests need.
inline std::string FoldUpper(const std::string& text)
{
    std::string folded = text;
    for (char& c : folded)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return folded;
}

// The launcher over a first-run profile and a history of thirty, as the main window has them.
class LauncherTest : public ::testing::Test {
protected:
    MemoryProfileStore store;
    FakeCombo combo;
    FakeWindow window{combo};
    FakeSystem system;
    CMRUComboBox history{store};
    AddToPath addToPath;
    Launcher launcher{window, history, system, store, addToPath};
    ControlRules rules{window, system, addToPath};
    Learning learning{store, FoldUpper};
    MenuCommands commands{window, history, system, store, &learning};
    std::string logPath = ::testing::TempDir() + "velquin_host_test.log";

    void SetUp() override
    {
        std::remove(logPath.c_str());
        SettingsRecord().LoadSettings(store);
        history.SetView(&combo);
        SetUpAsHistory(history, 30);
    }
    void TearDown() override { std::remove(logPath.c_str()); }
    void KeepLog()
    {
        Set("SaveToFile", 1);
        store.WriteString("Settings", "LogFile", logPath);
    }
    void Type(const std::string& text) { combo.edit = text; }
    void Launch(const std::string& text) { combo.edit = text, launcher.OnLaunch(); }
    void TypeAndEdit(const std::string& text) { combo.edit = text, rules.OnEditChange(); }
    void Set(const char* name, int value) { store.WriteInt("Settings", name, value); }
    // The messages shown since the last look, each as "caption | text | style in hex".
    std::string Said()
    {
        std::string said;
        for (const ShownMessage& m : window.messages) {
            char style[16];
            std::snprintf(style, sizeof(style), "%#x", m.style);
            said += (said.empty() ? "" : "\n") + m.caption + " | " + m.text + " | " + style;
        }
        window.messages.clear();
        return said;
    }
};
