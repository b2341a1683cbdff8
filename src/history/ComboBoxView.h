// The drop-down box as the history list sees it: an edit field above a list of items.
#pragma once

#include <string>

class ComboBoxView {
public:
    virtual ~ComboBoxView() = default;

    virtual std::string EditText() const = 0;
    virtual void SetEditText(const std::string& text) = 0;

    virtual int ItemCount() const = 0;
    virtual std::string ItemText(int index) const = 0;
    virtual void ResetContent() = 0;
    // Appends an item; false when the box refused it.
    virtual bool AddItem(const std::string& text) = 0;
};
