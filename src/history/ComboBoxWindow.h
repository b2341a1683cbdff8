// A real drop-down box (CBS_DROPDOWN, unsorted) as the history list's view of it.
#pragma once

#include "framework/Controls.h"
#include "history/ComboBoxView.h"

#include <functional>
#include <utility>

class ComboBoxWindow : public ControlObject, public ComboBoxView {
public:
    std::string EditText() const override { return Text(); }
    // Text put there by the program is no typing: it raises no edit update of ours.
    void SetEditText(const std::string& text) override
    {
        Quietly([&] { SetText(text); });
    }
    int ItemCount() const override { return Box().Count(); }
    std::string ItemText(int index) const override { return Box().ItemText(index); }
    // Windows empties the edit field too.
    void ResetContent() override
    {
        Quietly([&] { Box().ResetContent(); });
    }
    bool AddItem(const std::string& text) override { return Box().AddString(text) >= 0; }
    bool GetEditSel(int& start, int& end) const override { return Box().GetEditSel(start, end); }
    void SetEditSel(int start, int end) override { Box().SetEditSel(start, end); }
    void ReplaceSel(const std::string& text) override { Box().ReplaceEditSel(text); }
    int SelectString(const std::string& prefix) override { return Box().SelectString(-1, prefix); }

    // Key presses on the box's edit field, seen before dispatch: one `take` answers true for goes no further.
    // And the box's own edit updates, the user's only.
    struct Events {
        std::function<bool(unsigned virtualKey)> take;
        std::function<void(unsigned virtualKey)> keyDown;
        std::function<void()> editUpdate;
    };
    void Listen(Events events) { events_ = std::move(events); }

    bool PreTranslateMessage(MSG& message) override
    {
        if (message.message != WM_KEYDOWN)
            return false;
        const auto key = static_cast<unsigned>(message.wParam);
        if (events_.take && events_.take(key))
            return true;
        if (events_.keyDown)
            events_.keyDown(key);
        return false;
    }
    bool OnReflectedCommand(UINT code) override
    {
        if (code != CBN_EDITUPDATE || !events_.editUpdate)
            return false;
        // Changes made by the program, the completion's own included, are no typing.
        if (!settingText_) {
            settingText_ = true;
            events_.editUpdate();
            settingText_ = false;
        }
        return true;
    }

private:
    template <typename Change>
    void Quietly(Change change)
    {
        const bool quiet = std::exchange(settingText_, true);
        change();
        settingText_ = quiet;
    }

    Events events_;
    bool settingText_ = false;
    ComboBox Box() const { return ComboBox(Handle()); }
};
