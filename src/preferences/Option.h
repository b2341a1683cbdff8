// The preferences room: the Preferences dialog.
//
// The settings record in the application's profile; the same object is the Preferences dialog.
#pragma once

#include "framework/Dialog.h"
#include "settings/SettingsRecord.h"
#include "suggest/Learning.h"

class COption : public Dialog, public SettingsRecord {
public:
    explicit COption(HWND parent = nullptr);

    using SettingsRecord::LoadSettings;
    using SettingsRecord::SaveSettings;

    // From and to the application's profile.
    void LoadSettings();
    void SaveSettings() const;
    // The lines the user hid: "Show hidden suggestions" brings them back when the settings are saved. Without
    // them the button stays off.
    void ShowHiddenFrom(HiddenLines& hidden) { hidden_ = &hidden; }

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
    // The fields from the controls: the count when it is a number, every box and button, the hotkey.
    void ReadControls();
    void UpdateOk();
    void UpdateStartWithWindows() const;
    void CreateLogFileIfAsked();
    bool Checked(int id) const { return Item<Button>(id).IsChecked(); }

    bool locationChanged_ = false;
    HiddenLines* hidden_ = nullptr;
    bool showHidden_ = false;
};

// Creates (or empties) the log file with its text for a history that has nothing yet.
void WritePlaceholderLog(const std::string& path);

// The Run value that starts this copy at logon, and the copy's path as "VelquinPath".
void WriteStartWithWindows();
// At every start: with StartAuto = 1 the Run value is written when it is missing, names a file that is gone or
// names this copy unquoted, so a new user's Velquin starts with Windows without a visit to Preferences.
void KeepStartingWithWindows(int startAuto);
