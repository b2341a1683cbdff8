// Enters or changes one App Paths entry: its name, its program file and its working directory.
#pragma once

#include "framework/Dialog.h"
#include "paths/AppPathEntry.h"

#include <string>

class CRegeditDlg : public Dialog {
public:
    explicit CRegeditDlg(HWND parent = nullptr);

    std::string m_programPath;
    std::string m_workingDirectory;
    std::string m_name;
    bool m_editMode = false;  // titled "Edit"
    bool m_isNew = false;     // nothing is read first; OK asks before overwriting
    AppPathTable m_table = AppPathTable::Machine;  // where the edited entry is, and stays

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(DataExchange& dx) override;

private:
    void ReadFields();
    void UpdateOk();
    void OnBrowse();
    bool NameIsUsable();
    void FocusName();
    void Write();

    Button browseButton_, okButton_;
    Edit nameField_, directoryField_, pathField_;
    std::string originalName_;  // the name the entry had when the dialog opened
    bool programExpands_ = false;
    bool directoryExpands_ = false;
};

// A name the table can hold as one entry: not empty, no backslash (which would reach a deeper key).
bool IsUsableAppPathName(const std::string& name);
