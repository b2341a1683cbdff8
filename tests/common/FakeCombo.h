// A drop-down box in memory: an edit text and a list of items. Positions count UTF-16 units, as the real
// box's do, and its items are found by the system's rule for texts the user sees as one.
#pragma once

#include "framework/Text.h"
#include "history/ComboBoxView.h"

#include <algorithm>
#include <string>
#include <vector>

// The system's rule as far as the tests need it: A-Z, ä as Ä (UTF-8 \xC3\xA4, \xC3\x84), and the dotless ı as I
// (\xC4\xB1, two bytes for one: a letter whose UTF-8 length differs between its cases).
inline bool HostSameText(const std::string& a, const std::string& b)
{
    const auto fold = [](std::string text) {
        for (size_t at; (at = text.find("\xC3\xA4")) != std::string::npos;)
            text[at + 1] = '\x84';
        for (size_t at; (at = text.find("\xC4\xB1")) != std::string::npos;)
            text.replace(at, 2, "I");
        return text;
    };
    return EqualsAsciiNoCase(fold(a), fold(b));
}

class FakeCombo : public ComboBoxView {
public:
    std::string edit;
    std::vector<std::string> items;
    int selStart = 0, selEnd = 0;
    // How SelectString finds an item, as the real box has a rule of its own.
    bool (*beginsWith)(const std::string& text, const std::string& prefix) =
        [](const std::string& text, const std::string& prefix) { return StartsWithText(text, prefix, HostSameText); };

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
        const int length = static_cast<int>(Utf16Length(edit));
        selStart = std::min(start, length);
        selEnd = end < 0 ? length : std::min(end, length);
    }
    void ReplaceSel(const std::string& text) override { Type(text); }
    int SelectString(const std::string& prefix) override
    {
        for (size_t i = 0; i < items.size(); ++i) {
            if (beginsWith(items[i], prefix)) {
                edit = items[i];
                selStart = 0;
                selEnd = static_cast<int>(Utf16Length(edit));
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    // The user types at the caret, as the edit field takes it: the selection is replaced.
    void Type(const std::string& text)
    {
        const size_t from = Utf8Offset(edit, static_cast<size_t>(selStart));
        const size_t to = Utf8Offset(edit, static_cast<size_t>(selEnd));
        edit.replace(from, to - from, text);
        selStart = selEnd = selStart + static_cast<int>(Utf16Length(text));
    }
};
