#include "settings/SettingsRecord.h"

#include "keys/HotKey.h"
#include "settings/ProfileLayout.h"

using namespace profile;

namespace {

// The integer values in the order they are read and written.
struct IntegerField {
    const char* name;
    int SettingsRecord::*field;
};

const IntegerField kIntegerFields[] = {
    {kClearHistoryAuto, &SettingsRecord::ClearHistoryAuto}, {kMaxHistory, &SettingsRecord::MaxHistory},
    {kStartAuto, &SettingsRecord::StartAuto},               {kStartMin, &SettingsRecord::StartMin},
    {kShowWindow, &SettingsRecord::ShowWindow},             {kHideOnSuccess, &SettingsRecord::HideOnSuccess},
    {kSaveToFile, &SettingsRecord::SaveToFile},             {kPutIconInTray, &SettingsRecord::PutIconInTray},
    {kPromptOnLogOff, &SettingsRecord::PromptOnLogOff},     {kPromptOnShutDown, &SettingsRecord::PromptOnShutDown},
    {kPromptOnRestart, &SettingsRecord::PromptOnRestart},   {kWinR, &SettingsRecord::WinR},
};

}  // namespace

int HistoryCapacity(int maxHistory)
{
    return maxHistory >= 1 && maxHistory <= 99 ? maxHistory : 30;
}

void SettingsRecord::LoadSettings(ProfileStore& store, bool portable)
{
    // The marker compares exactly: any other text means no saved record.
    if (store.ReadString(kSettings, kSaved) != kSavedMarker) {
        ApplyFirstRunDefaults(portable);
        SaveSettings(store);
        return;
    }

    LogFile = store.ReadString(kSettings, kLogFile);
    for (const IntegerField& value : kIntegerFields)
        this->*value.field = store.ReadInt(kSettings, value.name, 0);
    HotKey = store.ReadInt(kSettings, kHotKey, kDefaultHotKey);  // profiles from before the hotkey have none
    Suggest = store.ReadInt(kSettings, kSuggest, 1);              // on in profiles from before suggestions
}

void SettingsRecord::SaveSettings(ProfileStore& store) const
{
    const ProfileBatch batch(store);
    store.WriteString(kSettings, kLogFile, LogFile);
    for (const IntegerField& value : kIntegerFields)
        store.WriteInt(kSettings, value.name, this->*value.field);
    store.WriteInt(kSettings, kHotKey, HotKey);
    store.WriteInt(kSettings, kSuggest, Suggest);
    // Last, so a record only reads as saved once every value has been written.
    store.WriteString(kSettings, kSaved, kSavedMarker);
}

void SettingsRecord::ApplyFirstRunDefaults(bool portable)
{
    MaxHistory = 30;
    ClearHistoryAuto = 0;
    SaveToFile = 0;
    LogFile.clear();
    StartMin = 0;
    StartAuto = portable ? 0 : 1;
    ShowWindow = 1;
    HideOnSuccess = 1;
    PutIconInTray = 1;
    PromptOnShutDown = 1;
    PromptOnLogOff = 1;
    PromptOnRestart = 1;
    HotKey = kDefaultHotKey;
    WinR = 0;
    Suggest = 1;
}
