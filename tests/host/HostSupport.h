// What the host tests share: the system side of the launch in memory, the launcher set up as the main
// window sets it up, and the trace lines.
#pragma once

#include "FakeLauncherWindow.h"
#include "MemoryProfileStore.h"

#include "launcher/HistoryLog.h"
#include "launcher/Launcher.h"
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

class FakeSystem : public LaunchSystem {
public:
    std::set<std::string> files;  // full paths that exist; found by full path or by name
    std::map<std::string, std::string> appPathDirs, shellFolders, runHistory;
    std::map<std::string, OpenResult> results;  // by program; {42, 0} otherwise
    std::vector<OpenRequest> opened;
    const FakeWindow* watched = nullptr;  // when set, how it was shown at each open
    std::vector<ui::Show> shownAtOpen;
    std::vector<AppPathEntry> written;
    std::vector<unsigned> sessionsEnded;
    bool refuseAppPaths = false;

    bool FindFile(const std::string& pattern, std::string* fullPath) override
    {
        for (const std::string& f : files) {
            if (EqualsNoCase(f, pattern) || EqualsNoCase(f.substr(f.rfind('\\') + 1), pattern))
                return fullPath ? (*fullPath = f, true) : true;
        }
        return false;
    }
    bool IsOnNetwork(const std::string& path) override { return path.rfind("\\\\", 0) == 0; }
    std::string ExpandReferences(const std::string& text) override  // two variables; others stay as they are
    {
        std::string t = text;
        for (const auto& [name, value] :
             {std::pair{"%WINDIR%", "C:\\windows"}, {"%ProgramFiles%", "C:\\Program Files"}})
            if (const size_t at = t.find(name); at != std::string::npos)
                t.replace(at, std::string(name).size(), value);
        return t;
    }
    // The system's rule as far as the tests need it: A-Z, and ä as Ä (UTF-8 \xC3\xA4, \xC3\x84).
    bool SameTextIgnoringCase(const std::string& a, const std::string& b) override
    {
        const auto fold = [](std::string text) {
            for (size_t at; (at = text.find("\xC3\xA4")) != std::string::npos;)
                text[at + 1] = '\x84';
            return text;
        };
        return EqualsNoCase(fold(a), fold(b));
    }
    std::string ResolveShortcut(const std::string&) override { return std::string(); }
    OpenResult Open(const OpenRequest& request) override
    {
        opened.push_back(request);
        if (watched)
            shownAtOpen.push_back(watched->shown);
        return results.count(request.program) ? results[request.program] : OpenResult{42, 0};
    }
    std::optional<std::string> ReadAppPathWorkingDirectory(const std::string& name) override
    {
        return appPathDirs.count(name) ? std::optional(appPathDirs[name]) : std::nullopt;
    }
    bool WriteAppPathEntry(const AppPathEntry& entry) override
    {
        written.push_back(entry);
        return !refuseAppPaths;
    }
    std::string ReadShellFolder(const std::string& name) override { return shellFolders[name]; }
    std::string SystemDirectory() override { return "C:\\windows\\system32"; }
    std::string WindowsDirectory() override { return "C:\\windows"; }
    std::string ProgramFolder() override { return "C:\\Program Files\\Velquin"; }
    std::optional<std::string> ReadRunHistoryValue(const std::string& name) override
    {
        return runHistory.count(name) ? std::optional(runHistory[name]) : std::nullopt;
    }
    void EndSession(unsigned flags) override { sessionsEnded.push_back(flags); }
};

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The launcher over a first-run profile and a history of thirty, as the main window has them.
class LauncherTest : public ::testing::Test {
protected:
    MemoryProfileStore store;
    FakeCombo combo;
    FakeWindow window{combo};
    FakeSystem system;
    CMRUComboBox history{store};
    Launcher launcher{window, history, system, store};
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
    void TypeAndEdit(const std::string& text) { combo.edit = text, launcher.OnEditChange(); }
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
