#include "launch/PutAway.h"

#include "settings/SettingsRecord.h"

void PutAway::HideOrMinimize()
{
    SettingsRecord settings;
    settings.LoadSettings(profile_);
    Apply(settings.PutIconInTray);
}

void PutAway::OnHotKey(bool windowInFront)
{
    if (windowInFront)
        HideOrMinimize();
    else
        window_.Summon();
}

bool PutAway::Hides(int putIconInTray) const
{
    return putIconInTray == 1 && window_.TrayIconShown();
}

void PutAway::AfterSuccess()
{
    SettingsRecord settings;
    settings.LoadSettings(profile_);
    if (settings.HideOnSuccess == 1)
        Apply(settings.PutIconInTray);
}

void PutAway::Apply(int putIconInTray)
{
    window_.ShowAs(Hides(putIconInTray) ? ui::Show::Hide : ui::Show::Minimize);
}
