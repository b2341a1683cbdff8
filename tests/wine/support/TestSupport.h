// What the Wine-tier tests share: an application object over a clean profile, the App Paths entries of
// the tests, registry and file readers, the recorder program, and the scripts that drive the windows.
#pragma once

#include "UiScript.h"

#include "framework/App.h"
#include "framework/Controls.h"
#include "paths/AppPaths.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

// The process's application object, with the profile rooted as the program roots it. The profile
// (HKEY_CURRENT_USER\Software\Velquin) is removed before and after: each test starts from an empty one.
class TestApp : public App {
public:
    TestApp();
    ~TestApp() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Velquin"); }
    bool InitInstance() override { return false; }
};

// A value as the registry holds it: the number of its type, a blank, and its bytes ("1 C:\\x\0" for a
// REG_SZ); empty when missing.
std::string ReadRawValue(HKEY root, const std::string& key, const std::string& name);
// Removes the tests' App Paths entries ("VqTest…" in any case, their parked copies "Velquin respelling VqTest…",
// and "Velquin.exe") from both tables, and lets both tables be written again.
void CleanTestAppPaths();
// Values an App Paths entry may hold beside the two Velquin edits, one of each type, and a subkey with one:
// written to the entry's key, and read back as ReadRawValue gives them, joined by "|".
void WriteOtherEntryValues(HKEY root, const std::string& key);
std::string OtherEntryValues(HKEY root, const std::string& key);
inline const std::string kOtherEntryValues = [] {
    using namespace std::string_literals;
    return "4 \x01\0\0\0|1 {6E1F6D42-2B4B-4F0B-9C55-7A3D6C1B2E10}\0|7 http\0https\0\0|2 %SystemRoot%\\Tools\0"s;
}();

// A folder holding the recorder program (VELQUIN_RECORDER) under a name. When started, the program writes
// its command line and working directory to `record`, named in this process's environment, which the
// programs started from here inherit. Everything goes with the object.
struct RecorderCopy {
    std::string folder, program, record;
    bool copied = false;
    RecorderCopy(const std::string& folderName, const std::string& programName);
    ~RecorderCopy();
    RecorderCopy(const RecorderCopy&) = delete;
    RecorderCopy& operator=(const RecorderCopy&) = delete;
    // The command line and the working directory once both lines are there (then the record goes); empty
    // after 10 s.
    std::pair<std::string, std::string> WaitForRecord() const;
};

// A shortcut as the shell makes it; false when it could not be saved.
bool MakeShortcut(const std::string& path, const std::string& target, const std::string& arguments = "",
                  const std::string& startIn = "", const std::string& iconFile = "");
// An empty file, made or emptied; false when it could not be.
bool MakeFile(const std::string& path);

// A file's bytes; empty when it cannot be read.
std::string ReadFile(const std::string& path);
// A name in the temporary folder.
std::string TempPath(const std::string& name);

