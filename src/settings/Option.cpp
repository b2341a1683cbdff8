#include "settings/Option.h"

#include "framework/App.h"
#include "res/resource.h"

COption::COption(HWND parent) : Dialog(IDD_PREFERENCES, parent) {}

void COption::LoadSettings()
{
    SettingsRecord::LoadSettings(AppProfile());
}

void COption::SaveSettings() const
{
    SettingsRecord::SaveSettings(AppProfile());
}
