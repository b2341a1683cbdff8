// Lets the user take single entries out of the history, straight from the profile values.
#pragma once

#include "framework/Dialog.h"

#include <string>
#include <vector>

class CHistoryEditor : public Dialog {
public:
    explicit CHistoryEditor(HWND parent = nullptr);

    // The text of the entry removed last; empty when nothing was removed.
    const std::string& LastRemovedText() const { return lastRemoved_; }

protected:
    BOOL OnInitDialog() override;

private:
    void OnRemove();
    void OnFind();
    void OnFindNext();
    // Runs Find until a text is found or the user cancels; from the top, or after the last match.
    void FindFrom(bool afterLastMatch);
    ListBox List() const;

    int lastFoundIndex_ = -1;
    bool found_ = false;
    std::string lastRemoved_;
    std::string searchText_;
    std::vector<std::string> valueNames_;  // the value each line was read from
};
