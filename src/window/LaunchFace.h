// The main window as the launch sees it (LauncherWindow): its box, its buttons, its tray icon, and the
// workers that take a network text off the window's thread; their answers come back as the window's
// messages and are handed on from here.
#pragma once

#include "framework/BackgroundWork.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "history/ComboBoxWindow.h"
#include "launch/ControlRules.h"
#include "launch/Launcher.h"
#include "tray/SystemTray.h"

#include <functional>
#include <memory>
#include <string>

class LaunchFace : public LauncherWindow {
public:
    struct Controls {
        ComboBoxWindow& box;
        Button& ok;
        Button& clear;
        Button& addToPath;
        Button& clearHistory;
        CSystemTray& tray;
    };
    // The workers answer with these two messages; a launch's with its id as wParam.
    LaunchFace(Controls controls, std::shared_ptr<LaunchSystem> system, UINT existenceMessage, UINT launchMessage);

    // The window, once it exists; how it is brought forward; the launch that takes the workers' answers.
    void Attach(HWND window, std::function<void()> summon, Launcher& launcher, ControlRules& rules);
    // The workers' two messages; the cursor, the wait cursor while a launch runs on the worker. True when
    // the message is claimed.
    bool OnExistenceChecked();
    bool OnLaunchFinished(Message& message);
    bool OnSetCursor(Message& message);

    std::string EditText() const override;
    void SetEditText(const std::string& text) override;
    void FocusBox() override;
    void SelectInBox(int start, int end) override;
    void Enable(Control control, bool enable) override;
    bool IsAddToPathChecked() const override;
    void SetAddToPathCheck(bool checked) override;
    void ShowAs(ui::Show how) override;
    void Summon() override;
    bool TrayIconShown() const override;
    int ShowMessage(const std::string& text, const std::string& caption, unsigned style) override;
    void CheckExistenceInBackground(const std::string& examined) override;
    void LaunchInBackground(unsigned id, const LaunchRequest& request) override;
    void ShowBusy(bool busy) override;

private:
    Controls controls_;
    std::shared_ptr<LaunchSystem> system_;  // shared with a launch on the worker, which may outlive the window
    BackgroundWork<std::string, bool> existenceCheck_;
    WorkPerQuestion<LaunchRequest, LaunchResult> launchWork_;
    HWND window_ = nullptr;
    std::function<void()> summon_;
    Launcher* launcher_ = nullptr;
    ControlRules* rules_ = nullptr;
    bool waitCursor_ = false;
};
