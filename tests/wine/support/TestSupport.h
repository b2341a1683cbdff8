// What the Wine-tier tests share: a clean profile, an application object, small registry readers.
#pragma once

#include "framework/App.h"
#include "framework/Controls.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// HKEY_CURRENT_USER\Software\Velquin removed before and after: each test starts from an empty profile.
class CleanProfile {
public:
    CleanProfile() { Remove(); }
    ~CleanProfile() { Remove(); }
    static void Remove() { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Velquin"); }
};

// The process's application object, with the profile rooted as the program roots it.
class TestApp : public App {
public:
    TestApp();
    bool InitInstance() override { return false; }
};

// A value as the registry holds it: its type and raw data; nothing when missing.
struct RawValue {
    DWORD type = 0;
    std::string data;
};
std::optional<RawValue> ReadRawValue(HKEY root, const std::string& key, const std::string& name);
bool KeyExists(HKEY root, const std::string& key);
// Removes the tests' App Paths entries ("VqTest…" in any case, and "Velquin.exe") from both tables, and
// lets both tables be written again.
void CleanTestAppPaths();

// A file's bytes; empty when it cannot be read.
std::string ReadFile(const std::string& path);
// A name in the temporary folder.
std::string TempPath(const std::string& name);

