// A drop-down box in memory: an edit text and a list of items.
#pragma once

#include "framework/Text.h"
#include "history/ComboBoxView.h"

#include <algorithm>
#include <string>
#include <vector>

class FakeCombo : public ComboBoxView {
public:
    std::string edit;
    std::vector<std::string> items;
    int selStart = 0, selEnd = 0;

    std::string EditText() const override { return edit; }
    void SetEditText(const std::string& text) override
    {
        edit = text;
        selStart = selEnd = 0;  // as a real edit field: new text, caret at the start
    }
    int ItemCount() const override { return static_cast<int>(items.size()); }
    std::string ItemText(int index) const override { return items.at(static_cast<size_t>(index)); }
    void ResetContent() override { items.clear(); }
    bool AddItem(const std::string& text) override { return items.push_back(text), true; }
    bool GetEditSel(int& start, int& end) const override
    {
        start = selStart;
        end = selEnd;
        return true;
    }
    void SetEditSel(int start, int end) override
    {
        const int length = static_cast<int>(edit.size());
        selStart = std::min(start, length);
        selEnd = end < 0 ? length : std::min(end, length);
    }
    int SelectString(const std::string& prefix) override
    {
        for (size_t i = 0; i < items.size(); ++i) {
            if (StartsWithNoCase(items[i], prefix)) {
                edit = items[i];
                selStart = 0;
                selEnd = static_cast<int>(edit.size());
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    // The user types one character at the caret, as the edit field does it: the selection is replaced.
    void Type(char c)
    {
        edit.replace(static_cast<size_t>(selStart), static_cast<size_t>(selEnd - selStart), 1, c);
        selStart = selEnd = selStart + 1;
    }
};
