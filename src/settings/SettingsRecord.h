// The settings room: the settings record, the profile's names, the Run value's decisions.
//
// The fifteen preferences, named after their profile values, with their first-run defaults.
#pragma once

#include "framework/ProfileStore.h"

#include <string>

// The history's capacity for a stored MaxHistory: one outside the Preferences' range 1 to 99 (a hand-edited
// profile or file) would make a huge list, or none; it is 30.
int HistoryCapacity(int maxHistory);

class SettingsRecord {
public:
    int MaxHistory = 0;
    int ClearHistoryAuto = 0;
    int StartAuto = 0;
    int StartMin = 0;
    int ShowWindow = 0;
    int HideOnSuccess = 0;
    int SaveToFile = 0;
    std::string LogFile;
    int PutIconInTray = 0;
    int PromptOnLogOff = 0;
    int PromptOnShutDown = 0;
    int PromptOnRestart = 0;
    int HotKey = 0;   // a hotkey control's value; 0 for none
    int WinR = 0;     // Win+R opens Velquin instead of the system's box
    int Suggest = 1;  // suggestions pop up as the user types

    // Fills the record; a profile without the saved-marker gets the first-run defaults, saved at once. A
    // portable copy does not start with Windows until asked.
    void LoadSettings(ProfileStore& profile, bool portable = false);
    // Writes all fifteen values, then the saved-marker.
    void SaveSettings(ProfileStore& profile) const;

private:
    void ApplyFirstRunDefaults(bool portable);
};
