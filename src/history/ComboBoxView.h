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

    // The edit field's selection (the caret when start equals end), in UTF-16 units of its text as the box
    // counts them; false when the box cannot tell.
    virtual bool GetEditSel(int& start, int& end) const = 0;
    // An end of -1 selects up to the end of the text.
    virtual void SetEditSel(int start, int end) = 0;
    // Replaces the selected part of the edit field as typing would: it can be undone, and the box announces
    // the change as the user's.
    virtual void ReplaceSel(const std::string& text) = 0;
    // Selects the first item that begins with the text, letter case ignored, and shows it in the edit
    // field in the item's own spelling; its index, or -1 when no item begins so.
    virtual int SelectString(const std::string& prefix) = 0;
};
