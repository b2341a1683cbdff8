// The window room: the main window's wiring: its controls, messages, placement and suggestion list.
//
// The launcher's one window: the drop-down box of things to open, its buttons, its menu and its tray icon.
#pragma once

#include "commands/MenuCommands.h"
#include "framework/BackgroundWork.h"
#include "framework/Dialog.h"
#include "framework/FreshEnvironment.h"
#include "framework/MessageDelivery.h"
#include "history/ComboBoxWindow.h"
#include "history/MRUComboBox.h"
#include "keys/GlobalKeys.h"
#include "launch/ControlRules.h"
#include "launch/Launcher.h"
#include "launch/PutAway.h"
#include "launch/ShellLaunch.h"
#include "tray/SystemTray.h"
#include "window/BoxSuggestions.h"
#include "window/LaunchFace.h"
#include "window/WindowIcons.h"

#include <memory>
#include <string>

// The message a second start sends the running window to bring it forward.
inline constexpr const char* kSummonMessageName = "Velquin: come forward";
// The window's property that tells which copy it is (a portable copy's mark; none for an installed copy).
inline constexpr const char* kCopyMarkProperty = "Velquin copy";
// The profile's file could not take a write: wParam is the system's error.
inline constexpr const char* kProfileNotSavedMessageName = "Velquin: profile not saved";

class CVelquinDlg : public Dialog {
public:
    // The system side of the commands and of the suggestions; tests give ones that record instead of ending
    // the session, or that block. Each must outlive any work still running on a worker. The delivery of the
    // messages Windows holds back unless asked: tests give one that holds them back as Windows does.
    explicit CVelquinDlg(LaunchSystem* system = nullptr, SuggestSystem* suggestSystem = nullptr,
                         MessageDelivery* delivery = nullptr);

    // For the tests: the decisions' state, the history and the tray icon.
    Launcher& Commands() { return launcher_; }
    const AddToPath& AddToPathState() const { return addToPath_; }
    CMRUComboBox& History() { return history_; }
    const CSystemTray& Tray() const { return tray_; }
    Suggester& Suggestions() { return suggestions_.Feed(); }
    Learning& Learnt() { return learning_; }
    const FreshEnvironment& Environment() const { return environment_; }
    CSystemTray& Tray() { return tray_; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void DoDataExchange(DataExchange& dx) override;

private:

    // Shown, restored and in front, with the box focused and its text selected.
    void Summon();
    void PrimeFromNewestEntry();

    // The handlers of the binding table: true when the message is handled, false to leave it to the default.
    bool OnBoxKey(unsigned key);
    void OnOpenLastItem();
    void OnBoxLostFocus();
    bool UpdateThenDefault();
    bool OnSummonMessage(Message& message);
    bool OnProfileNotSaved(Message& message);
    bool OnDpiChanged(Message& message);
    // Whatever can wait for the first paint: the keys, the Run value, the suggestions.
    bool AfterFirstPaint();
    bool OnSettingChange(Message& message);
    bool OnEnvironmentMade();
    bool OnShowWindow(Message& message);
    bool OnHotKey();
    bool OnQueryDragIcon(Message& message);
    bool OnClose();
    bool OnEndSession(Message& message);
    void OnClear();
    void OnRestore();
    void OnMinimizeButton();
    void OnAddToPath();
    void OnSelectionAccepted();
    bool OnSystemCommand(Message& message);
    void BindMenuCommands();
    void OnBrowse();
    // The suggestions follow the preference; the index starts after the delay, or at the first key.
    void SuggestAsTyped(bool on, unsigned indexDelay);

    // The window's modal dialogs, one at a time: the work runs unless another dialog does.
    template <typename Work>
    void WhenFree(Work work);
    template <typename DialogType>
    void RunWhenFree();
    void OpenPreferences();
    void PreferencesFromMenu();
    void PreferencesFromTray();
    void EditHistory();
    // The box shows the profile's history again.
    void ReloadHistory();
    void EditAliases();
    void ExportSettingsFromMenu();
    void ImportSettingsFromMenu();
    void SelectWholeText(const std::string& text);
    bool SwitchToWindow(const std::string& typed);

    MessageDelivery& delivery_;
    WindowIcons icons_;
    CSystemTray tray_;
    CMRUComboBox history_;
    ComboBoxWindow historyBox_;
    std::shared_ptr<LaunchSystem> system_;
    // What the list learnt of the user's picks, and the lines hidden: the launch, the menu and the list
    // change them.
    Learning learning_;
    HiddenLines hidden_;
    AliasTable aliases_;
    AddToPath addToPath_;
    LaunchFace face_;
    Launcher launcher_;
    ControlRules rules_;
    MenuCommands commands_;
    PutAway putAway_;
    BoxSuggestions suggestions_;
    FreshEnvironment environment_;
    GlobalKeys keys_{RegisterWindowMessageA(kSummonMessageName), delivery_};
    std::string boundText_;
    int busy_ = 0;
    Button minimizeButton_, addToPathBox_, browseButton_, clearButton_, clearHistoryButton_, okButton_;
};
