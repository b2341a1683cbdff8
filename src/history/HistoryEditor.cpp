#include "history/HistoryEditor.h"

#include "find/FindDlg.h"
#include "find/SearchRule.h"
#include "framework/App.h"
#include "framework/MessageBox.h"
#include "framework/Text.h"
#include "framework/Unicode.h"
#include "history/HistoryState.h"
#include "res/resource.h"
#include "settings/ProfileLayout.h"

#include <algorithm>
#include <optional>

CHistoryEditor::CHistoryEditor(HWND parent) : Dialog(IDD_HISTORY_EDITOR, parent)
{
    OnNotify(IDC_HISTORY_LIST, LBN_SELCHANGE, [this] { Item(IDC_HISTORY_REMOVE).Enable(); });
    OnCommand(IDC_HISTORY_REMOVE, [this] { OnRemove(); });
    OnCommand(IDC_HISTORY_FIND, [this] { OnFind(); });
    OnCommand(IDC_HISTORY_FIND_NEXT, [this] { OnFindNext(); });
}

BOOL CHistoryEditor::OnInitDialog()
{
    const BOOL focus = Dialog::OnInitDialog();
    for (const auto& [name, text] : AppProfile().ReadSection(profile::kHistory)) {
        // Longer than a value of the history can be: not one of its entries.
        if (name.size() > 99 || Utf16Length(text) > kMaxProfileText)
            continue;
        List().AddString(text);
        valueNames_.push_back(name);
    }
    return focus;
}

ListBox CHistoryEditor::List() const
{
    return Item<ListBox>(IDC_HISTORY_LIST);
}

void CHistoryEditor::OnRemove()
{
    const ListBox list = List();
    const int selected = list.CurSel();
    if (selected < 0 || selected >= static_cast<int>(valueNames_.size()))
        return;

    const std::string name = valueNames_[static_cast<size_t>(selected)];
    lastRemoved_ = AppProfile().ReadString(profile::kHistory, name, list.ItemText(selected));
    AppProfile().DeleteValue(profile::kHistory, name);

    list.DeleteString(selected);
    valueNames_.erase(valueNames_.begin() + selected);
    Item(IDC_HISTORY_REMOVE).Enable(list.SetCurSel(selected) != LB_ERR);
    if (list.Count() == 0)
        WriteHistoryState(AppProfile(), kHistoryCleared);
}

void CHistoryEditor::OnFind()
{
    FindFrom(false);
}

void CHistoryEditor::OnFindNext()
{
    FindFrom(found_);
}

void CHistoryEditor::FindFrom(bool afterLastMatch)
{
    for (;;) {
        CFindDlg find(searchText_, Handle());
        if (find.DoModal() != IDOK)
            return;
        const std::string text = find.SearchText();
        const int index =
            SearchList(List().Items(), text, afterLastMatch ? lastFoundIndex_ : -1, SameTextIgnoringCase);
        if (index < 0) {
            ShowMessageBox(Handle(), "The entry '" + text + "' was not found.", "Not Found", MB_ICONINFORMATION);
            searchText_ = text;  // the Find dialog opens again showing it
            continue;
        }
        List().SetCurSel(index);
        searchText_.clear();
        lastFoundIndex_ = index;
        List().Focus();
        Item(IDC_HISTORY_REMOVE).Enable();
        found_ = true;
        return;
    }
}
