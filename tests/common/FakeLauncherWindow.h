// The main window as the launch sees it, in memory: what it shows, enables and says.
#pragma once

#include "FakeCombo.h"

#include "launch/LauncherWindow.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

struct ShownMessage {
    std::string text, caption;
    unsigned style;
    bool windowHidden;
};

class FakeWindow : public LauncherWindow {
public:
    using Control = LauncherWindow::Control;

    FakeCombo& combo;
    std::map<Control, bool> enabled{{Control::Ok, false}, {Control::Clear, false}, {Control::AddToPath, false},
                                    {Control::ClearHistory, true}};
    bool checked = false;
    bool trayIcon = true;
    ui::Show shown = ui::Show::Normal;
    std::vector<ui::Show> shows;
    std::pair<int, int> selection{-1, -1};
    std::vector<ShownMessage> messages;
    int answer = ui::kAnswerOk;
    bool busy = false;

    explicit FakeWindow(FakeCombo& box) : combo(box) {}
    std::string EditText() const override { return combo.edit; }
    void SetEditText(const std::string& text) override { combo.edit = text; }
    void FocusBox() override {}
    void SelectInBox(int start, int end) override { selection = {start, end}; }
    void Enable(Control control, bool enable) override { enabled[control] = enable; }
    bool IsAddToPathChecked() const override { return checked; }
    void SetAddToPathCheck(bool check) override { checked = check; }
    void ShowAs(ui::Show how) override
    {
        shown = how;
        shows.push_back(how);
    }
    bool TrayIconShown() const override { return trayIcon; }
    void Summon() override {}
    int ShowMessage(const std::string& text, const std::string& caption, unsigned style) override
    {
        messages.push_back({text, caption, style, shown == ui::Show::Hide});
        return answer;
    }
    std::vector<std::string> backgroundChecks;
    void CheckExistenceInBackground(const std::string& examined) override { backgroundChecks.push_back(examined); }
    std::vector<std::pair<unsigned, LaunchRequest>> backgroundLaunches;
    void LaunchInBackground(unsigned id, const LaunchRequest& request) override
    {
        backgroundLaunches.push_back({id, request});
    }
    void ShowBusy(bool wait) override { busy = wait; }
};

