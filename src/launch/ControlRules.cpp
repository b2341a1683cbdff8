#include "launch/ControlRules.h"

#include "launch/LaunchJob.h"
#include "text/CommandText.h"

using Control = LauncherWindow::Control;

ControlRules::Existence ControlRules::Examine(const std::string& source, bool trim, bool shortcutsAway)
{
    const std::string examined = system_.ExpandReferences(ExaminedText(source, trim));
    if (!examined.empty() && examined == rememberedText_)
        return rememberedExists_.value_or(false) ? Existence::Exists : Existence::Missing;
    // A shortcut of a line is not read here: it is looked at on the worker, like a text on the network.
    const bool away = !examined.empty() && ((shortcutsAway && IsShortcutPath(examined)) ||
                                            MayWaitOnNetwork(examined, system_));
    if (!away) {
        // An answer holds for one visit of a text: retyped later, the server may be back.
        rememberedText_.clear();
        rememberedExists_.reset();
        if (examined.empty())
            return Existence::Empty;
        return NamesExistingEntry(examined, system_) ? Existence::Exists : Existence::Missing;
    }
    rememberedText_ = examined;
    rememberedExists_.reset();
    window_.CheckExistenceInBackground(examined);
    return Existence::Missing;  // until the worker says otherwise
}

void ControlRules::ShowAddToPath(bool exists)
{
    window_.Enable(Control::AddToPath, exists);
    window_.SetAddToPathCheck(exists && addToPath_.Ticks());
}

void ControlRules::UpdateControlStates()
{
    const Existence existence = Examine(window_.EditText(), true, false);
    if (existence == Existence::Exists) {
        ShowAddToPath(true);
        addToPath_.Arm();
        return;
    }
    const bool hasText = existence == Existence::Missing;
    window_.Enable(Control::Ok, hasText);
    window_.Enable(Control::Clear, hasText);
    ShowAddToPath(false);
}

void ControlRules::OnEditChange()
{
    ApplyToText(Examine(window_.EditText(), true, false));
}

void ControlRules::OnLineFilled(std::optional<bool> known)
{
    if (known) {
        rememberedText_ = system_.ExpandReferences(ExaminedText(window_.EditText(), true));
        rememberedExists_ = known;
    }
    ApplyToText(Examine(window_.EditText(), true, true));
}

void ControlRules::ApplyToText(Existence existence)
{
    const bool hasText = existence != Existence::Empty;
    window_.Enable(Control::Ok, hasText);
    window_.Enable(Control::Clear, hasText);
    ShowAddToPath(existence == Existence::Exists);
}

void ControlRules::OnSelectItem(const std::string& itemText)
{
    window_.Enable(Control::Ok, true);
    window_.Enable(Control::Clear, true);
    ShowAddToPath(Examine(itemText, false, false) == Existence::Exists);
}

void ControlRules::OnExistenceChecked(const std::string& examined, bool exists)
{
    if (examined != rememberedText_)
        return;
    rememberedExists_ = exists;
    UpdateControlStates();
}
