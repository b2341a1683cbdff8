// The profile store and the settings record on the real registry.
#include "TestSupport.h"

#include "settings/Option.h"
#include "settings/ProfileLayout.h"
#include "settings/RegistryProfileStore.h"

#include <gtest/gtest.h>

using namespace profile;

namespace {

const std::string kSettingsKey = std::string(kProfileKey) + "\\Settings";

DWORD AsDword(const RawValue& value)
{
    DWORD number = 0;
    memcpy(&number, value.data.data(), std::min<size_t>(value.data.size(), sizeof(number)));
    return number;
}

}  // namespace

TEST(RegistryProfileStore, WritesIntegersAsDwordsAndStringsAsZeroEndedText)
{
    CleanProfile clean;
    RegistryProfileStore store(kProfileKey);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::string(kProfileKey) + "\\Window"));

    EXPECT_TRUE(store.WriteInt(kWindow, kLeft, -12));
    EXPECT_TRUE(store.WriteString(kFolders, kFile, "C:\\Program Files\\a.exe"));

    const auto left = ReadRawValue(HKEY_CURRENT_USER, std::string(kProfileKey) + "\\Window", "Left");
    ASSERT_TRUE(left);
    EXPECT_EQ(left->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(static_cast<int>(AsDword(*left)), -12);

    const auto file = ReadRawValue(HKEY_CURRENT_USER, std::string(kProfileKey) + "\\Folders", "File");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(file->data, std::string("C:\\Program Files\\a.exe\0", 23));

    EXPECT_EQ(store.ReadInt(kWindow, kLeft, 0), -12);
    EXPECT_EQ(store.ReadString(kFolders, kFile), "C:\\Program Files\\a.exe");
}

TEST(RegistryProfileStore, MissingValuesAndOtherTypesReadAsTheDefault)
{
    CleanProfile clean;
    RegistryProfileStore store(kProfileKey);
    EXPECT_EQ(store.ReadInt(kWindow, kTop, 7), 7);  // no key at all
    EXPECT_EQ(store.ReadString(kSettings, kConfig, "none"), "none");

    store.WriteInt(kSettings, kAddToPath, 1);
    EXPECT_EQ(store.ReadInt(kSettings, kMaxHistory, 30), 30);  // key, but no value
    EXPECT_EQ(store.ReadString(kSettings, kAddToPath, "text"), "text");  // a DWORD is no text
    store.WriteString(kSettings, kMaxHistory, "12");
    EXPECT_EQ(store.ReadInt(kSettings, kMaxHistory, 30), 30);  // and text no integer
    // Reading created nothing.
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::string(kProfileKey) + "\\Window"));
}

TEST(RegistryProfileStore, KeyPathsIgnoreLetterCase)
{
    CleanProfile clean;
    RegistryProfileStore store(kProfileKey);
    store.WriteString(kHistory, "File #1", "notepad");

    RegistryProfileStore otherCase("software\\VELQUIN\\velquin");
    EXPECT_EQ(otherCase.ReadString("velquin mru", "file #1"), "notepad");
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Velquin\\VELQUIN\\Velquin MRU"));
}

TEST(RegistryProfileStore, RefusesTextsThatDoNotFitARegistryBuffer)
{
    CleanProfile clean;
    RegistryProfileStore store(kProfileKey);
    store.WriteString(kSettings, kLogFile, "C:\\old.log");
    EXPECT_TRUE(store.WriteString(kSettings, "Longest", std::string(259, 'a')));
    EXPECT_FALSE(store.WriteString(kSettings, kLogFile, std::string(260, 'a')));
    EXPECT_EQ(store.ReadString(kSettings, kLogFile), "C:\\old.log");
    EXPECT_EQ(store.ReadString(kSettings, "Longest").size(), 259u);
}

TEST(RegistryProfileStore, WithoutARootNothingIsReadOrWritten)
{
    CleanProfile clean;
    RegistryProfileStore store;
    EXPECT_FALSE(store.WriteInt(kWindow, kLeft, 5));
    EXPECT_EQ(store.ReadInt(kWindow, kLeft, 9), 9);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Velquin"));
}

TEST(Option, FirstLoadWritesTheWholeRecordToTheRegistry)
{
    CleanProfile clean;
    TestApp app;
    COption option;
    option.LoadSettings();
    EXPECT_EQ(option.MaxHistory, 30);
    EXPECT_EQ(option.PutIconInTray, 1);

    for (const char* name : {kMaxHistory, kClearHistoryAuto, kStartAuto, kStartMin, kShowWindow, kHideOnSuccess,
                             kSaveToFile, kPutIconInTray, kPromptOnLogOff, kPromptOnShutDown, kPromptOnRestart}) {
        const auto value = ReadRawValue(HKEY_CURRENT_USER, kSettingsKey, name);
        ASSERT_TRUE(value) << name;
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_DWORD)) << name;
    }
    const auto logFile = ReadRawValue(HKEY_CURRENT_USER, kSettingsKey, kLogFile);
    ASSERT_TRUE(logFile);
    EXPECT_EQ(logFile->type, static_cast<DWORD>(REG_SZ));
    const auto saved = ReadRawValue(HKEY_CURRENT_USER, kSettingsKey, kSaved);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->data, std::string("Options saved\0", 14));

    // A value changed outside is what the next record reads.
    AppProfile().WriteInt(kSettings, kMaxHistory, 12);
    COption next;
    next.LoadSettings();
    EXPECT_EQ(next.MaxHistory, 12);
}
