// The system side of the launch in memory, for the host tests and the fuzz targets.
#pragma once

#include "FakeLauncherWindow.h"

#include "framework/Text.h"
#include "launch/LauncherWindow.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

class FakeSystem : public LaunchSystem {
public:
    std::set<std::string> files;  // full paths that exist; found by full path or by name
    std::map<std::string, std::string> appPathDirs, appPathPrograms, shellFolders, runHistory, shortcutTargets;
    std::map<std::string, OpenResult> results;  // by program; {42, 0} otherwise
    std::vector<OpenRequest> opened;
    const FakeWindow* watched = nullptr;  // when set, how it was shown at each open
    std::vector<ui::Show> shownAtOpen;
    std::vector<AppPathEntry> written;
    std::vector<std::pair<unsigned, unsigned long>> sessionsEnded;  // flags and reason
    unsigned long sessionError = 0;
    bool refuseAppPaths = false;

    bool FindFile(const std::string& pattern, std::string* fullPath) override
    {
        for (const std::string& f : files) {
            if (EqualsAsciiNoCase(f, pattern) || EqualsAsciiNoCase(f.substr(f.rfind('\\') + 1), pattern))
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
    bool SameTextIgnoringCase(const std::string& a, const std::string& b) override { return HostSameText(a, b); }
    int shortcutsRead = 0;
    std::string ShortcutTarget(const std::string& path) override
    {
        ++shortcutsRead;
        return shortcutTargets[path];
    }
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
    std::optional<std::string> ReadAppPathProgram(const std::string& name) override
    {
        return appPathPrograms.count(name) ? std::optional(appPathPrograms[name]) : std::nullopt;
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
    unsigned long EndSession(unsigned flags, unsigned long reason) override
    {
        sessionsEnded.push_back({flags, reason});
        return sessionError;
    }
    std::string ErrorText(unsigned long code) override { return "Error " + std::to_string(code) + "."; }
};
