// Putting the main window away: hidden when the tray icon is there to bring it back, minimised otherwise.
#pragma once

#include "framework/ProfileStore.h"
#include "launch/LauncherWindow.h"

class PutAway {
public:
    PutAway(LauncherWindow& window, ProfileStore& profile) : window_(window), profile_(profile) {}

    // As the settings say.
    void HideOrMinimize();
    // The global hotkey: puts the window away when it is in front, brings it forward otherwise.
    void OnHotKey(bool windowInFront);
    // Hides only when the user wants the tray and its icon is really there.
    bool Hides(int putIconInTray) const;
    // After a launch or a menu command succeeded: when the user asked for it.
    void AfterSuccess();

private:
    void Apply(int putIconInTray);

    LauncherWindow& window_;
    ProfileStore& profile_;
};
