// The App Paths table as a sorted list of names: add, edit or rename, remove, reload and find.
#pragma once

#include "framework/Dialog.h"

#include <string>

class CPathEditorDlg : public Dialog {
public:
    explicit CPathEditorDlg(HWND parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;

private:
    void Fill();
    void OnSelectionChanged();
    void OnEdit();
    void OnAdd();
    void OnRemove();
    void OnReload();
    void OnFind();
    void SelectExactly(const std::string& name);
    void RemoveLine(const std::string& name);

    ListBox m_list;
    Button editButton_, removeButton_, findButton_;
    std::string m_selectedName;
    std::string m_findText;
    bool m_foundOnce = false;
    int m_lastFoundIndex = 0;
};
