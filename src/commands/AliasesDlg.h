// The Aliases dialog: the user's aliases, one line each, to add, edit and remove; and the Alias dialog that
// edits one. Every change is written at once.
#pragma once

#include "framework/Dialog.h"
#include "settings/AliasTable.h"

#include <string>

class CAliasesDlg : public Dialog {
public:
    explicit CAliasesDlg(AliasTable& aliases, HWND parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;

private:
    // The lines again, the alias of this keyword selected.
    void Fill(const std::string& selected);
    void OnSelectionChanged();
    void OnAdd();
    void OnEdit();
    void OnRemove();
    // The Alias dialog on this alias (a new one when its keyword is empty); the lines again after OK.
    void Edit(Alias alias);
    const Alias* Selected();

    AliasTable& aliases_;
    ListBox list_;
    Button editButton_, removeButton_;
};

class CAliasDlg : public Dialog {
public:
    // `alias` fills the fields; its keyword empty for a new one. OK leaves the alias written in `alias`.
    CAliasDlg(AliasTable& aliases, Alias alias, HWND parent = nullptr);

    Alias alias;

protected:
    void OnOK() override;
    void DoDataExchange(DataExchange& dx) override;

private:
    AliasTable& aliases_;
    std::string edited_;
};
