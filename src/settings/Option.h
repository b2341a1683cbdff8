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
};
