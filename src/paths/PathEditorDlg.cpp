#include "paths/PathEditorDlg.h"

#include "find/FindDlg.h"
#include "find/SearchRule.h"
#include "framework/MessageBox.h"
#include "framework/Unicode.h"
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
    OnMessage(WM_DRAWITEM, [this](Message& m) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam);
        if (item.CtlID != IDC_PATH_LIST)
            return false;
        DrawLine(item);
        m.result = TRUE;
        return true;
    });
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
    // The lines are as tall as the dialog's font, which the list received after it measured them.
    if (const HDC dc = GetDC(m_list.Handle())) {
        const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(m_list.Send(WM_GETFONT)));
        TEXTMETRICA metrics = {};
        if (GetTextMetricsA(dc, &metrics))
            m_list.Send(LB_SETITEMHEIGHT, 0, metrics.tmHeight);
        SelectObject(dc, old);
        ReleaseDC(m_list.Handle(), dc);
    }
    Fill();
    return focus;
}

void CPathEditorDlg::Fill()
{
    for (const ListedAppPath& entry : ListAppPaths())
        AddLine(entry.name, entry.table);
}

void CPathEditorDlg::AddLine(const std::string& name, AppPathTable table)
{
    const int index = m_list.AddString(name);
    if (index >= 0)
        m_list.SetItemData(index, static_cast<LRESULT>(table));
}

AppPathTable CPathEditorDlg::TableOfLine(int index) const
{
    return static_cast<AppPathTable>(m_list.ItemData(index));
}

void CPathEditorDlg::Relist(const std::string& name)
{
    RemoveLine(name);
    if (const std::optional<AppPathTable> table = FindAppPathTable(name))
        AddLine(name, *table);
}

void CPathEditorDlg::RemoveFromTable(const std::string& name, AppPathTable table)
{
    if (!DeleteAppPathEntry(name, table))
        ShowMessageBox(Handle(),
                       "The entry '" + name +
                           "' could not be removed: Windows refused the change to the machine's App Paths.  Ask an "
                           "administrator to remove it.",
                       "Velquin", MB_ICONEXCLAMATION);
    Relist(name);  // a machine-wide entry of the name shows again once the user's own is gone
}

void CPathEditorDlg::DrawLine(const DRAWITEMSTRUCT& item) const
{
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID != static_cast<UINT>(-1)) {
        const int index = static_cast<int>(item.itemID);
        const WideString name = Wide(m_list.ItemText(index));
        RECT area = item.rcItem;
        area.left += 2;
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        constexpr UINT kLine = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
        DrawTextW(item.hDC, name.c_str(), -1, &area, kLine);
        if (TableOfLine(index) == AppPathTable::User) {
            RECT measured = area;
            DrawTextW(item.hDC, name.c_str(), -1, &measured, kLine | DT_CALCRECT);
            area.left = measured.right;
            SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT));
            DrawTextW(item.hDC, L"  (for you only)", -1, &area, kLine);
        }
    }
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &item.rcItem);
}

void CPathEditorDlg::OnSelectionChanged()
{
    editButton_.Enable();
    removeButton_.Enable();
}

int CPathEditorDlg::FindLine(const std::string& name) const
{
    for (int i = 0; i < m_list.Count(); ++i) {
        if (SameTextIgnoringCase(m_list.ItemText(i), name))
            return i;
    }
    return -1;
}

void CPathEditorDlg::SelectExactly(const std::string& name)
{
    m_list.SetCurSel(FindLine(name));  // none selected when no line matches
}

void CPathEditorDlg::OnEdit()
{
    const int selected = m_list.CurSel();
    if (selected < 0)
        return;
    m_selectedName = m_list.ItemText(selected);
    const AppPathTable table = TableOfLine(selected);

    CRegeditDlg entry(Handle());
    entry.m_name = m_selectedName;
    entry.m_editMode = true;
    entry.m_isNew = false;
    entry.m_table = table;
    if (entry.DoModal() == IDOK) {
        if (!SameTextIgnoringCase(entry.m_name, m_selectedName))
            RemoveFromTable(m_selectedName, table);
        Relist(entry.m_name);  // one line of the name, also when it overwrote another entry
    }
    SelectExactly(entry.m_name);
}

void CPathEditorDlg::RemoveLine(const std::string& name)
{
    const int existing = FindLine(name);
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
    Relist(entry.m_name);
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
    RemoveFromTable(m_list.ItemText(selected), TableOfLine(selected));
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
        if (SearchList(lines, text, -1, SameTextIgnoringCase) < 0) {
            ShowMessageBox(Handle(), "The file '" + text + "' was not found.", "Not Found", MB_ICONINFORMATION);
            m_findText = text;  // the Find dialog opens again showing it
            continue;
        }
        const int index = SearchList(lines, text, m_foundOnce ? m_lastFoundIndex : -1, SameTextIgnoringCase);
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
