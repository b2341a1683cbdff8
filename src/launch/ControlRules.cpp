#include "launch/ControlRules.h"

#include "launch/LaunchJob.h"
#include "text/CommandText.h"

using Control = LauncherWindow::Control;

ControlRules::Existence ControlRules::Examine(const std::string& source, bool trim)
{
    const std::string examined = system_.ExpandReferences(ExaminedText(source, trim));
    if (examined.empty() || !MayWaitOnNetwork(examined, system_)) {
        // The worker's answer holds for one visit of a text: retyped later, the server may be back.
        networkText_.clear();
        networkTextExists_.reset();
        if (examined.empty())
            return Existence::Empty;
        return NamesExistingEntry(examined, system_) ? Existence::Exists : Existence::Missing;
    }
    if (examined != networkText_) {
        networkText_ = examined;
        networkTextExists_.reset();
        window_.CheckExistenceInBackground(examined);
    }
    return networkTextExists_.value_or(false) ? Existence::Exists : Existence::Missing;
}

void ControlRules::ShowAddToPath(bool exists)
{
    window_.Enable(Control::AddToPath, exists);
    window_.SetAddToPathCheck(exists && addToPath_.Ticks());
}

void ControlRules::UpdateControlStates()
{
    const Existence existence = Examine(window_.EditText(), true);
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
    const Existence existence = Examine(window_.EditText(), true);
    const bool hasText = existence != Existence::Empty;
    window_.Enable(Control::Ok, hasText);
    window_.Enable(Control::Clear, hasText);
    ShowAddToPath(existence == Existence::Exists);
}

void ControlRules::OnSelectItem(const std::string& itemText)
{
    window_.Enable(Control::Ok, true);
    window_.Enable(Control::Clear, true);
    ShowAddToPath(Examine(itemText, false) == Existence::Exists);
}

void ControlRules::OnExistenceChecked(const std::string& examined, bool exists)
{
    if (examined != networkText_)
        return;
    networkTextExists_ = exists;
    UpdateControlStates();
}
