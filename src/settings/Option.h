// The settings record in the application's profile; the same object is the Preferences dialog.
#pragma once

#include "framework/Dialog.h"
#include "settings/SettingsRecord.h"

class COption : public Dialog, public SettingsRecord {
public:
    explicit COption(HWND parent = nullptr);

    using SettingsRecord::LoadSettings;
    using SettingsRecord::SaveSettings;

    // From and to the application's profile.
    void LoadSettings();
    void SaveSettings() const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(DataExchange& dx) override;

private:
    void ShowLoadedSettings();
    void OnSaveToFileClicked();
    void OnLocationChanged();
    void OnDefaults();
    void OnChooseLogFile();
    void OnView();
    void RefuseCount();
    void UpdateStartWithWindows() const;
    void CreateLogFileIfAsked();
    bool Checked(int id) const { return Item<Button>(id).IsChecked(); }

    bool locationChanged_ = false;
};

// Creates (or empties) the log file with its text for a history that has nothing yet.
void WritePlaceholderLog(const std::string& path);
