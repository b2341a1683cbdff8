#include "window/LaunchFace.h"

#include "framework/MessageBox.h"
#include "launch/LaunchJob.h"

LaunchFace::LaunchFace(Controls controls, std::shared_ptr<LaunchSystem> system, UINT existenceMessage,
                       UINT launchMessage)
    : controls_(controls),
      system_(std::move(system)),
      existenceCheck_([shared = system_](const std::string& examined) { return NamesExistingEntry(examined, *shared); },
                      [](const std::string&) { return false; }, existenceMessage, WorkerNeeds::Com),
      launchWork_([shared = system_](const LaunchRequest& request) { return PerformLaunch(request, *shared); },
                  [](const LaunchRequest& request) { return FailedLaunch(request); }, launchMessage, WorkerNeeds::Com)
{
}

void LaunchFace::Attach(HWND window, std::function<void()> summon, Launcher& launcher, ControlRules& rules)
{
    window_ = window;
    summon_ = std::move(summon);
    launcher_ = &launcher;
    rules_ = &rules;
}

bool LaunchFace::OnExistenceChecked()
{
    if (const auto answer = existenceCheck_.TakeAnswer())
        rules_->OnExistenceChecked(answer->question, answer->answer);
    return true;
}

bool LaunchFace::OnLaunchFinished(Message& message)
{
    const auto id = static_cast<unsigned>(message.wParam);
    const auto answer = launchWork_.TakeAnswer(id);
    // No answer kept: the worker could not even store one.
    launcher_->OnLaunchFinished(id, answer ? *answer : FailedLaunch({}));
    return true;
}

bool LaunchFace::OnSetCursor(Message& message)
{
    if (!waitCursor_)
        return false;
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    message.result = TRUE;
    return true;
}

std::string LaunchFace::EditText() const
{
    return controls_.box.EditText();
}

void LaunchFace::SetEditText(const std::string& text)
{
    controls_.box.SetEditText(text);
}

void LaunchFace::FocusBox()
{
    controls_.box.Focus();
}

void LaunchFace::SelectInBox(int start, int end)
{
    controls_.box.SetEditSel(start, end);
}

void LaunchFace::Enable(Control control, bool enable)
{
    switch (control) {
    case Control::Ok: controls_.ok.Enable(enable); break;
    case Control::Clear: controls_.clear.Enable(enable); break;
    case Control::AddToPath: controls_.addToPath.Enable(enable); break;
    case Control::ClearHistory: controls_.clearHistory.Enable(enable); break;
    }
}

bool LaunchFace::IsAddToPathChecked() const
{
    return controls_.addToPath.IsChecked();
}

void LaunchFace::SetAddToPathCheck(bool checked)
{
    controls_.addToPath.SetCheck(checked);
}

void LaunchFace::ShowAs(ui::Show how)
{
    ::ShowWindow(window_, static_cast<int>(how));
}

void LaunchFace::Summon()
{
    summon_();
}

bool LaunchFace::TrayIconShown() const
{
    return controls_.tray.IconAdded();
}

int LaunchFace::ShowMessage(const std::string& text, const std::string& caption, unsigned style)
{
    return ShowMessageBox(window_, text, caption, style);
}

void LaunchFace::CheckExistenceInBackground(const std::string& examined)
{
    existenceCheck_.Ask(window_, examined);
}

void LaunchFace::LaunchInBackground(unsigned id, const LaunchRequest& request)
{
    if (!launchWork_.Ask(window_, id, request))
        launcher_->OnLaunchFinished(id, PerformLaunch(request, *system_));  // no worker to be had: here, then
}

void LaunchFace::ShowBusy(bool busy)
{
    waitCursor_ = busy;
    POINT cursor = {};
    RECT frame = {};
    if (GetCursorPos(&cursor) && GetWindowRect(window_, &frame) && PtInRect(&frame, cursor))
        SetCursor(LoadCursorA(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}
