// The find room: the Find dialog and the search rule that the Path Editor and the history editor share.
//
// Asks for a text to look for in a list; the caller searches, selects and reports.
#pragma once

#include "framework/Dialog.h"

#include <string>

class CFindDlg : public Dialog {
public:
    explicit CFindDlg(const std::string& searchText = std::string(), HWND parent = nullptr);

    // After IDOK: what the user typed, never empty.
    const std::string& SearchText() const { return searchText_; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(DataExchange& dx) override;

private:
    void OnTextChanged();

    std::string searchText_;
};
