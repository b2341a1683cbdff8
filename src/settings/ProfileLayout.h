// Where each persisted value lives: sections and entries of the profile, and their fixed texts.
// Other programs and older copies of Velquin read the same names, so they never change.
#pragma once

#include "framework/Text.h"

#include <string>

namespace profile {

// Registry root: HKEY_CURRENT_USER\Software\<company>\<application name>; a portable copy's file instead.
inline constexpr const char* kCompany = "Velquin";
inline constexpr const char* kPortableFile = "Velquin.ini";  // beside Velquin.exe

inline constexpr const char* kSettings = "Settings";
inline constexpr const char* kWindow = "Window";
inline constexpr const char* kFolders = "Folders";
inline constexpr const char* kHistory = "Velquin MRU";
inline constexpr const char* kHistoryEntry = "File #%d";  // newest first, from 1
inline constexpr const char* kAliases = "Aliases";     // keyword = template
inline constexpr const char* kLearning = "Learning";   // "Record #n" = typed, command, score, time
inline constexpr const char* kRecordName = "Record #";
inline constexpr const char* kHidden = "Hidden";       // "Hidden #n" = a folded command
inline constexpr const char* kHiddenName = "Hidden #";

// Section "Settings": the settings record, then the other values.
inline constexpr const char* kMaxHistory = "MaxHistory";
inline constexpr const char* kClearHistoryAuto = "ClearHistoryAuto";
inline constexpr const char* kStartAuto = "StartAuto";
inline constexpr const char* kStartMin = "StartMin";
inline constexpr const char* kShowWindow = "ShowWindow";
inline constexpr const char* kHideOnSuccess = "HideOnSuccess";
inline constexpr const char* kSaveToFile = "SaveToFile";
inline constexpr const char* kLogFile = "LogFile";
inline constexpr const char* kPutIconInTray = "PutIconInTray";
inline constexpr const char* kPromptOnLogOff = "PromptOnLogOff";
inline constexpr const char* kPromptOnShutDown = "PromptOnShutDown";
inline constexpr const char* kPromptOnRestart = "PromptOnRestart";
inline constexpr const char* kSaved = "Saved";
inline constexpr const char* kSavedMarker = "Options saved";
inline constexpr const char* kConfig = "Config";
inline constexpr const char* kAddToPath = "AddToPath";
inline constexpr const char* kHotKey = "HotKey";
inline constexpr const char* kWinR = "WinR";
inline constexpr const char* kSuggest = "Suggest";
inline constexpr const char* kVelquinPath = "VelquinPath";

// Section "Window": the restored position of the main window.
inline constexpr const char* kLeft = "Left";
inline constexpr const char* kTop = "Top";

// Section "Folders": where the file dialogs start next time.
inline constexpr const char* kFile = "File";
inline constexpr const char* kFilter = "Filter";
// kLogFile names the log file chosen last here too.
inline constexpr const char* kProfileFile = "Profile";  // an exported or imported profile

// Texts among the settings; every other setting is a number.
inline bool IsTextSetting(const std::string& name)
{
    for (const char* text : {kLogFile, kSaved, kConfig, kVelquinPath}) {
        if (EqualsAsciiNoCase(name, text))
            return true;
    }
    return false;
}

}  // namespace profile
