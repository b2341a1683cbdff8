#include "paths/PathEditorDlg.h"

#include "framework/MessageBox.h"
#include "framework/Text.h"
#include "history/FindDlg.h"
#include "history/SearchRule.h"
#include "paths/AppPaths.h"
#include "paths/RegeditDlg.h"
#include "res/resource.h"

CPathEditorDlg::CPathEditorDlg(HWND parent) : Dialog(IDD_PATH_EDITOR, parent)
{
    OnNotify(IDC_PATH_LIST, LBN_DBLCLK, [this] { OnEdit(); });
    OnNotify(IDC_PATH_LIST, LBN_SELCHANGE, [this] { OnSelectionChanged(); });
    OnCommand(IDC_PATH_ADD, [this] { OnAdd(); });
    OnCommand(IDC_PATH_EDIT, [this] { OnEdit(); });
    OnCommand(IDC_PATH_REMOVE, [this] { OnRemove(); });
    OnCommand(IDC_PATH_RELOAD, [this] { OnReload(); });
    OnCommand(IDC_PATH_FIND, [this] { OnFind(); });
    OnCommand(IDC_PATH_CLOSE, [this] { EndDialog(IDCANCEL); });
}

void CPathEditorDlg::DoDataExchange(DataExchange& dx)
{
    dx.Control(IDC_PATH_LIST, m_list);
    dx.Control(IDC_PATH_EDIT, editButton_);
    dx.Control(IDC_PATH_REMOVE, removeButton_);
    dx.Control(IDC_PATH_FIND, findButton_);
}

BOOL CPathEditorDlg::OnInitDialog()
{
    const BOOL focus = Dialog::OnInitDialog();
    Fill();
    return focus;
}

void CPathEditorDlg::Fill()
{
    for (const std::string& name : ListAppPathNames())
        m_list.AddString(name);
}

void CPathEditorDlg::OnSelectionChanged()
{
    editButton_.Enable();
    removeButton_.Enable();
}

void CPathEditorDlg::SelectExactly(const std::string& name)
{
    m_list.SetCurSel(m_list.FindStringExact(-1, name));  // none selected when no line matches
}

void CPathEditorDlg::OnEdit()
{
    const int selected = m_list.CurSel();
    if (selected < 0)
        return;
    m_selectedName = m_list.ItemText(selected);

    CRegeditDlg entry(Handle());
    entry.m_name = m_selectedName;
    entry.m_editMode = true;
    entry.m_isNew = false;
    const INT_PTR result = entry.DoModal();
    if (result == IDOK && !EqualsNoCase(entry.m_name, m_selectedName)) {
        DeleteAppPathEntry(m_selectedName);
        m_list.DeleteString(selected);
        RemoveLine(entry.m_name);  // renamed onto an entry that was overwritten: one line of the name
        m_list.AddString(entry.m_name);
    }
    SelectExactly(entry.m_name);
}

void CPathEditorDlg::RemoveLine(const std::string& name)
{
    const int existing = m_list.FindStringExact(-1, name);
    if (existing >= 0)
        m_list.DeleteString(existing);
}

void CPathEditorDlg::OnAdd()
{
    CRegeditDlg entry(Handle());
    entry.m_isNew = true;
    entry.m_editMode = false;
    if (entry.DoModal() != IDOK)
        return;
    RemoveLine(entry.m_name);
    m_list.AddString(entry.m_name);
    SelectExactly(entry.m_name);
    editButton_.Enable();
}

void CPathEditorDlg::OnRemove()
{
    if (ShowMessageBox(Handle(), "Are you sure you want to delete this file from your path?", "Confirm",
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    const int selected = m_list.CurSel();
    if (selected < 0)
        return;
    const std::string name = m_list.ItemText(selected);
    m_list.DeleteString(selected);
    DeleteAppPathEntry(name);
    editButton_.Enable(m_list.Count() > 0);
}

void CPathEditorDlg::OnReload()
{
    const int selected = m_list.CurSel();
    m_list.ResetContent();
    Fill();
    m_list.SetCurSel(selected < m_list.Count() ? selected : -1);
}

void CPathEditorDlg::OnFind()
{
    for (;;) {
        CFindDlg find(m_findText, Handle());
        if (find.DoModal() != IDOK)
            return;
        const std::string text = find.SearchText();
        const std::vector<std::string> lines = m_list.Items();
        if (SearchList(lines, text, -1) < 0) {
            ShowMessageBox(Handle(), "The file '" + text + "' was not found.", "Not Found", MB_ICONINFORMATION);
            m_findText = text;  // the Find dialog opens again showing it
            continue;
        }
        const int index = SearchList(lines, text, m_foundOnce ? m_lastFoundIndex : -1);
        m_list.SetCurSel(index);
        m_findText.clear();
        m_list.Focus();
        m_lastFoundIndex = index;
        editButton_.Enable();
        removeButton_.Enable();
        m_foundOnce = true;
        return;
    }
}
