#include "settings/MemoryProfileStore.h"
#include "settings/ProfileLayout.h"
#include "settings/SettingsRecord.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace profile;

namespace {

auto Fields(const SettingsRecord& r)
{
    return std::make_tuple(r.MaxHistory, r.ClearHistoryAuto, r.StartAuto, r.StartMin, r.ShowWindow, r.HideOnSuccess,
                           r.SaveToFile, r.LogFile, r.PutIconInTray, r.PromptOnLogOff, r.PromptOnShutDown,
                           r.PromptOnRestart);
}

const char* const kIntegerValues[] = {kClearHistoryAuto, kMaxHistory,    kStartAuto,      kStartMin,
                                      kShowWindow,       kHideOnSuccess, kSaveToFile,     kPutIconInTray,
                                      kPromptOnLogOff,   kPromptOnShutDown, kPromptOnRestart};

SettingsRecord NonDefaultRecord()
{
    SettingsRecord r;
    r.MaxHistory = 12;
    r.ClearHistoryAuto = 1;
    r.StartAuto = 0;
    r.StartMin = 1;
    r.ShowWindow = 3;
    r.HideOnSuccess = 0;
    r.SaveToFile = 1;
    r.LogFile = "C:\\Logs\\history.txt";
    r.PutIconInTray = 0;
    r.PromptOnLogOff = 0;
    r.PromptOnShutDown = 1;
    r.PromptOnRestart = 0;
    return r;
}

}  // namespace

TEST(SettingsRecord, FirstRunGivesTheDefaultsAndSavesThem)
{
    MemoryProfileStore store;
    SettingsRecord r;
    r.LoadSettings(store);

    EXPECT_EQ(Fields(r), std::make_tuple(30, 0, 1, 0, 1, 1, 0, std::string(), 1, 1, 1, 1));

    // The profile now holds the whole record and the marker, so the next load reads it back.
    EXPECT_EQ(store.ValueCount(), 13u);
    for (const char* name : kIntegerValues)
        EXPECT_TRUE(store.Contains(kSettings, name)) << name;
    EXPECT_EQ(store.ReadString(kSettings, kLogFile, "absent"), "");
    EXPECT_EQ(store.ReadString(kSettings, kSaved), kSavedMarker);
    EXPECT_EQ(store.ReadInt(kSettings, kMaxHistory, -1), 30);

    SettingsRecord again;
    again.LoadSettings(store);
    EXPECT_EQ(Fields(again), Fields(r));
}

TEST(SettingsRecord, AMarkerInOtherLetterCaseCountsAsNoSavedRecord)
{
    MemoryProfileStore store;
    NonDefaultRecord().SaveSettings(store);
    store.WriteString(kSettings, kSaved, "options saved");

    SettingsRecord r;
    r.LoadSettings(store);
    EXPECT_EQ(r.MaxHistory, 30);
    EXPECT_EQ(r.ShowWindow, 1);
    EXPECT_EQ(r.LogFile, "");
    // The defaults overwrote what was stored.
    EXPECT_EQ(store.ReadInt(kSettings, kMaxHistory, -1), 30);
    EXPECT_EQ(store.ReadString(kSettings, kLogFile, "absent"), "");
    EXPECT_EQ(store.ReadString(kSettings, kSaved), kSavedMarker);
}

TEST(SettingsRecord, WithTheMarkerPresentMissingValuesReadAsZeroOrEmpty)
{
    MemoryProfileStore store;
    NonDefaultRecord().SaveSettings(store);
    store.DeleteValue(kSettings, kMaxHistory);
    store.DeleteValue(kSettings, kLogFile);
    store.DeleteValue(kSettings, kPromptOnShutDown);

    SettingsRecord r;
    r.LoadSettings(store);
    EXPECT_EQ(r.MaxHistory, 0);
    EXPECT_EQ(r.LogFile, "");
    EXPECT_EQ(r.PromptOnShutDown, 0);
    EXPECT_EQ(r.ShowWindow, 3);
    // Nothing was written back: a load with the marker only reads.
    EXPECT_FALSE(store.Contains(kSettings, kMaxHistory));
}

TEST(SettingsRecord, SaveThenLoadRoundTripsAndSavingChangesNothing)
{
    MemoryProfileStore store;
    const SettingsRecord saved = NonDefaultRecord();
    SettingsRecord saving = saved;
    saving.SaveSettings(store);
    EXPECT_EQ(Fields(saving), Fields(saved));

    SettingsRecord loaded;
    loaded.LoadSettings(store);
    EXPECT_EQ(Fields(loaded), Fields(saved));
}

TEST(SettingsRecord, SavingReplacesEarlierValuesAndTheLastSaveWins)
{
    MemoryProfileStore store;
    SettingsRecord first;
    first.LoadSettings(store);
    SettingsRecord second;
    second.LoadSettings(store);

    first.MaxHistory = 5;
    first.SaveSettings(store);
    second.MaxHistory = 7;
    second.SaveSettings(store);

    SettingsRecord r;
    r.LoadSettings(store);
    EXPECT_EQ(r.MaxHistory, 7);
}

TEST(MemoryProfileStore, NamesIgnoreCaseAndTypesStayApart)
{
    MemoryProfileStore store;
    store.WriteInt("Window", "Left", 17);
    store.WriteString("Folders", "File", "C:\\a.exe");

    EXPECT_EQ(store.ReadInt("WINDOW", "left", 0), 17);
    EXPECT_EQ(store.ReadString("folders", "FILE"), "C:\\a.exe");
    // A string is no integer and the other way round: each reads as its default.
    EXPECT_EQ(store.ReadInt("Folders", "File", -1), -1);
    EXPECT_EQ(store.ReadString("Window", "Left", "none"), "none");
}

TEST(MemoryProfileStore, RefusesTextsLongerThanARegistryBufferHolds)
{
    MemoryProfileStore store;
    store.WriteString("Settings", "LogFile", "C:\\old.txt");
    EXPECT_TRUE(store.WriteString("Settings", "Other", std::string(kMaxProfileText, 'x')));
    EXPECT_FALSE(store.WriteString("Settings", "LogFile", std::string(kMaxProfileText + 1, 'x')));
    EXPECT_EQ(store.ReadString("Settings", "LogFile"), "C:\\old.txt");
}
