// The App Paths tables as one sorted list of names, the user's own entries marked: add, edit or rename,
// remove, reload and find.
#pragma once

#include "framework/Dialog.h"
#include "paths/AppPathEntry.h"

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
    // The line of the name, the same under the system's rule; -1 when there is none.
    int FindLine(const std::string& name) const;
    void SelectExactly(const std::string& name);
    void RemoveLine(const std::string& name);
    // A line's text is the entry's name; its item data, the table the entry is in.
    void AddLine(const std::string& name, AppPathTable table);
    AppPathTable TableOfLine(int index) const;
    // The name's line as the tables now hold it: marked with its table, or gone.
    void Relist(const std::string& name);
    void RemoveFromTable(const std::string& name, AppPathTable table);
    void DrawLine(const DRAWITEMSTRUCT& item) const;

    ListBox m_list;
    Button editButton_, removeButton_, findButton_;
    std::string m_selectedName;
    std::string m_findText;
    bool m_foundOnce = false;
    int m_lastFoundIndex = 0;
};
