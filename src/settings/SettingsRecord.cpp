#include "settings/SettingsRecord.h"

#include "settings/ProfileLayout.h"

using namespace profile;

void SettingsRecord::LoadSettings(ProfileStore& store)
{
    // The marker compares exactly: any other text means no saved record.
    if (store.ReadString(kSettings, kSaved) != kSavedMarker) {
        ApplyFirstRunDefaults();
        SaveSettings(store);
        return;
    }

    LogFile = store.ReadString(kSettings, kLogFile);
    ClearHistoryAuto = store.ReadInt(kSettings, kClearHistoryAuto, 0);
    MaxHistory = store.ReadInt(kSettings, kMaxHistory, 0);
    StartAuto = store.ReadInt(kSettings, kStartAuto, 0);
    StartMin = store.ReadInt(kSettings, kStartMin, 0);
    ShowWindow = store.ReadInt(kSettings, kShowWindow, 0);
    HideOnSuccess = store.ReadInt(kSettings, kHideOnSuccess, 0);
    SaveToFile = store.ReadInt(kSettings, kSaveToFile, 0);
    PutIconInTray = store.ReadInt(kSettings, kPutIconInTray, 0);
    PromptOnLogOff = store.ReadInt(kSettings, kPromptOnLogOff, 0);
    PromptOnShutDown = store.ReadInt(kSettings, kPromptOnShutDown, 0);
    PromptOnRestart = store.ReadInt(kSettings, kPromptOnRestart, 0);
}

void SettingsRecord::SaveSettings(ProfileStore& store) const
{
    store.WriteString(kSettings, kLogFile, LogFile);
    store.WriteInt(kSettings, kClearHistoryAuto, ClearHistoryAuto);
    store.WriteInt(kSettings, kMaxHistory, MaxHistory);
    store.WriteInt(kSettings, kStartAuto, StartAuto);
    store.WriteInt(kSettings, kStartMin, StartMin);
    store.WriteInt(kSettings, kShowWindow, ShowWindow);
    store.WriteInt(kSettings, kHideOnSuccess, HideOnSuccess);
    store.WriteInt(kSettings, kSaveToFile, SaveToFile);
    store.WriteInt(kSettings, kPutIconInTray, PutIconInTray);
    store.WriteInt(kSettings, kPromptOnLogOff, PromptOnLogOff);
    store.WriteInt(kSettings, kPromptOnShutDown, PromptOnShutDown);
    store.WriteInt(kSettings, kPromptOnRestart, PromptOnRestart);
    // Last, so a record only reads as saved once every value has been written.
    store.WriteString(kSettings, kSaved, kSavedMarker);
}

void SettingsRecord::ApplyFirstRunDefaults()
{
    MaxHistory = 30;
    ClearHistoryAuto = 0;
    SaveToFile = 0;
    LogFile.clear();
    StartMin = 0;
    StartAuto = 1;
    ShowWindow = 1;
    HideOnSuccess = 1;
    PutIconInTray = 1;
    PromptOnShutDown = 1;
    PromptOnLogOff = 1;
    PromptOnRestart = 1;
}
