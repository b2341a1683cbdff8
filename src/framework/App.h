// The one application object of a process: its name, its profile and its main window.
#pragma once

#include "framework/RegistryProfileStore.h"

#include <windows.h>

#include <string>

class App {
public:
    App();
    virtual ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // The application object of this process; there is exactly one while it lives.
    static App& Current();
    static bool Exists();

    // Runs once before any window exists; false ends the process without a message loop.
    virtual bool InitInstance() = 0;

    // From the string resource IDS_APP_TITLE, or else the executable's base name.
    const std::string& AppName() const { return appName_; }

    // From now on the profile lives under HKEY_CURRENT_USER\Software\<company>\<application name>.
    void SetRegistryKey(const std::string& company);
    ProfileStore& Profile() { return profile_; }

    HWND MainWindow() const { return mainWindow_; }
    void SetMainWindow(HWND window) { mainWindow_ = window; }

    static HINSTANCE Instance();

private:
    std::string appName_;
    RegistryProfileStore profile_;
    HWND mainWindow_ = nullptr;
};

// The current application's profile.
inline ProfileStore& AppProfile()
{
    return App::Current().Profile();
}
