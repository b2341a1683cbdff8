// The one application object of a process: its name, its profile and its main window.
#pragma once

#include "framework/IniProfileStore.h"
#include "framework/RegistryProfileStore.h"

#include <windows.h>

#include <functional>
#include <memory>
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
    // From now on the profile is this file's, as far as it could be read (a damaged line is skipped, the
    // file first copied to "<path>.bak"), and every change is written to it. `notSaved` hears each write the
    // file could not take, with the system's error; the values stay in memory.
    void UseProfileFile(const std::string& path, std::function<void(unsigned long error)> notSaved);
    bool ProfileIsFile() const { return file_ != nullptr; }
    // Why the file could not be read (then nothing is ever written to it); 0 when it was read or is new.
    unsigned long ProfileFileError() const { return fileError_; }
    ProfileStore& Profile();

    // What the main window carries so that a second start of this very copy finds it; 0 for none.
    unsigned long CopyMark() const { return copyMark_; }
    void SetCopyMark(unsigned long mark) { copyMark_ = mark; }

    HWND MainWindow() const { return mainWindow_; }
    void SetMainWindow(HWND window) { mainWindow_ = window; }

    static HINSTANCE Instance();

private:
    std::string appName_;
    RegistryProfileStore registry_;
    std::unique_ptr<IniProfileStore> file_;
    unsigned long fileError_ = 0;
    unsigned long copyMark_ = 0;
    HWND mainWindow_ = nullptr;
};

// The current application's profile.
inline ProfileStore& AppProfile()
{
    return App::Current().Profile();
}
