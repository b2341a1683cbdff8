// The rules that enable OK, Clear and "Add to my path" from the box's text, and tick the box: an existing
// file or folder can be entered in App Paths. A text on the network is looked for on the window's worker.
#pragma once

#include "launch/AddToPath.h"
#include "launch/LauncherWindow.h"

#include <optional>
#include <string>

class ControlRules {
public:
    ControlRules(LauncherWindow& window, LaunchSystem& system, AddToPath& addToPath)
        : window_(window), system_(system), addToPath_(addToPath)
    {
    }

    // The mouse rule (a move or a button let go over the window, the box losing the focus): it leaves OK and
    // Clear alone for an existing entry, and arms "Add to my path".
    void UpdateControlStates();
    // The user changed the text.
    void OnEditChange();
    // A line of the suggestions filled the box, and the index knows whether its command names an existing
    // entry, or not (nothing). A shortcut it does not know is looked at on the worker.
    void OnLineFilled(std::optional<bool> known);
    // An item of the drop-down list was chosen: judged as it stands, untrimmed.
    void OnSelectItem(const std::string& itemText);
    // The worker's answer for a network text; applied while that text is still the one in question.
    void OnExistenceChecked(const std::string& examined, bool exists);

private:
    enum class Existence { Empty, Missing, Exists };
    Existence Examine(const std::string& source, bool trim, bool shortcutsAway);
    void ApplyToText(Existence existence);
    void ShowAddToPath(bool exists);

    LauncherWindow& window_;
    LaunchSystem& system_;
    AddToPath& addToPath_;
    // A network text is searched for once per change, on the window's worker; until it answers, the text
    // counts as missing. A line's text may come known from the index.
    std::string rememberedText_;
    std::optional<bool> rememberedExists_;
};
