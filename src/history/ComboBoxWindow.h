// A real drop-down box (CBS_DROPDOWN, unsorted) as the history list's view of it.
#pragma once

#include "framework/Controls.h"
#include "history/ComboBoxView.h"

class ComboBoxWindow : public ControlObject, public ComboBoxView {
public:
    std::string EditText() const override { return Text(); }
    void SetEditText(const std::string& text) override { SetText(text); }
    int ItemCount() const override { return Box().Count(); }
    std::string ItemText(int index) const override { return Box().ItemText(index); }
    void ResetContent() override { Box().ResetContent(); }
    bool AddItem(const std::string& text) override { return Box().AddString(text) >= 0; }

private:
    ComboBox Box() const { return ComboBox(Handle()); }
};
