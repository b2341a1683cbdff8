// The suggestion list at the main window's box: what the user typed, the keys the list takes from the box,
// a line put into the box as if typed, and the window's moves that close the list.
#pragma once

#include "framework/Dialog.h"
#include "history/ComboBoxWindow.h"
#include "history/MRUComboBox.h"
#include "launch/ControlRules.h"
#include "suggest/Suggester.h"

#include <functional>
#include <memory>

class BoxSuggestions {
public:
    BoxSuggestions(std::shared_ptr<SuggestSystem> system, UINT firstMessage, ComboBoxWindow& box,
                   CMRUComboBox& history, Learning& learning, HiddenLines& hidden)
        : suggester_(std::move(system), firstMessage, learning, hidden), box_(box), history_(history)
    {
    }

    // As the setting says. After a line filled the box, the control rules take what the index knows of the
    // line's command; `launch` launches what the box holds. The index waits `indexDelay` milliseconds for the
    // first key, or starts at once.
    void Turn(bool on, HWND window, ControlRules& rules, std::function<void()> launch, unsigned indexDelay);
    // WM_TIMER: the index's delay run out. True when the message was the list's own.
    bool OnTimer(Message& message);
    // The list's own messages: the index and the workers' answers.
    bool OnListMessage(Message& message) { return suggester_.OnMessage(message.id); }
    // The user changed the box's text; the completion has run.
    void OnTyped();
    // A key on the box: true when the list took it.
    bool OnKey(unsigned key);
    // The window moved, lost the activation or was minimised: the list closes. The message goes on.
    bool OnWindowChange(Message& message);
    void Hide() { suggester_.Hide(); }
    // What the user had typed of the box's text, for the learning: call before the list closes.
    std::string TypedAtLaunch() const;

    // The threads, workers and window that feed the box its suggestions.
    Suggester& Feed() { return suggester_; }

private:
    Suggester suggester_;
    HWND window_ = nullptr;
    ComboBoxWindow& box_;
    CMRUComboBox& history_;
};
