// A drop-down box in memory: an edit text and a list of items.
#pragma once

#include "history/ComboBoxView.h"

#include <string>
#include <vector>

class FakeCombo : public ComboBoxView {
public:
    std::string edit;
    std::vector<std::string> items;
    int refuseItemAt = -1;  // AddItem fails when the list holds this many items

    std::string EditText() const override { return edit; }
    void SetEditText(const std::string& text) override { edit = text; }
    int ItemCount() const override { return static_cast<int>(items.size()); }
    std::string ItemText(int index) const override { return items.at(static_cast<size_t>(index)); }
    void ResetContent() override { items.clear(); }
    bool AddItem(const std::string& text) override
    {
        if (static_cast<int>(items.size()) == refuseItemAt)
            return false;
        items.push_back(text);
        return true;
    }
};
