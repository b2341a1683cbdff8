// The fixed commands of the Folders, Programs and Tools menus: what each opens, says and does after.
#pragma once

#include "settings/SettingsRecord.h"

#include <string>

struct ProgramCommand {
    int id;
    const char* program;         // handed to the shell as it is
    const char* failureMessage;  // empty: a failure is not reported
};

enum class HideStep { BeforeOpening, AfterOpening, None };

enum class FolderSource { ShellFolder, SystemDirectory, WindowsDirectory };

struct FolderCommand {
    int id;
    FolderSource source;
    const char* shellFolder;  // the Shell Folders value, for FolderSource::ShellFolder
    HideStep hide;
};

struct SessionCommand {
    int id;
    int SettingsRecord::*prompt;  // ask first when it is 1
    const char* question;
    const char* caption;
    unsigned flags;               // ExitWindowsEx: never EWX_FORCE, which would end programs with unsaved work
};

// The reason given for a log off, restart or shut down: "Other (Planned)".
inline constexpr unsigned long kPlannedShutdown = 0x80000000;  // SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_FLAG_PLANNED

extern const ProgramCommand kProgramCommands[9];
extern const FolderCommand kFolderCommands[9];
extern const SessionCommand kSessionCommands[3];

// The Browse dialog's file types, as the dialog takes them.
extern const char* const kBrowseFilter;

// Where Browse opens: the folder of the file picked there last, or else the fallback (the user's Desktop).
std::string BrowseStartFolder(const std::string& lastFile, const std::string& fallback);

// The command of a Run history value: its text before the last backslash (empty without one).
std::string RunHistoryCommand(const std::string& value);
