#include "commands/AliasesDlg.h"

#include "framework/MessageBox.h"
#include "res/resource.h"

namespace {

constexpr int kMaxFieldText = 259;

}  // namespace

CAliasesDlg::CAliasesDlg(AliasTable& aliases, HWND parent) : Dialog(IDD_ALIASES, parent), aliases_(aliases)
{
    OnNotify(IDC_ALIAS_LIST, LBN_SELCHANGE, [this] { OnSelectionChanged(); });
    OnNotify(IDC_ALIAS_LIST, LBN_DBLCLK, [this] { OnEdit(); });
    OnCommand(IDC_ALIAS_ADD, [this] { OnAdd(); });
    OnCommand(IDC_ALIAS_EDIT, [this] { OnEdit(); });
    OnCommand(IDC_ALIAS_REMOVE, [this] { OnRemove(); });
}

void CAliasesDlg::DoDataExchange(DataExchange& dx)
{
    dx.Control(IDC_ALIAS_LIST, list_);
    dx.Control(IDC_ALIAS_EDIT, editButton_);
    dx.Control(IDC_ALIAS_REMOVE, removeButton_);
}

BOOL CAliasesDlg::OnInitDialog()
{
    const BOOL focus = Dialog::OnInitDialog();
    const int tabStop = 60;  // dialog units: the keyword, then its template
    list_.Send(LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
    Fill(std::string());
    return focus;
}

void CAliasesDlg::Fill(const std::string& selected)
{
    list_.ResetContent();
    int select = -1;
    for (const Alias& alias : aliases_.All()) {
        const int line = list_.AddString(alias.keyword + "\t" + alias.aliasTemplate);
        if (alias.keyword == selected)
            select = line;
    }
    list_.SetCurSel(select);
    OnSelectionChanged();
}

void CAliasesDlg::OnSelectionChanged()
{
    const bool selected = Selected() != nullptr;
    editButton_.Enable(selected);
    removeButton_.Enable(selected);
}

const Alias* CAliasesDlg::Selected()
{
    const int line = list_.CurSel();
    const std::vector<Alias>& all = aliases_.All();
    return line >= 0 && static_cast<std::size_t>(line) < all.size() ? &all[static_cast<std::size_t>(line)] : nullptr;
}

void CAliasesDlg::OnAdd()
{
    Edit(Alias());
}

void CAliasesDlg::OnEdit()
{
    if (const Alias* selected = Selected())
        Edit(*selected);
}

void CAliasesDlg::Edit(Alias alias)
{
    CAliasDlg dialog(aliases_, std::move(alias), Handle());
    if (dialog.DoModal() == IDOK)
        Fill(dialog.alias.keyword);
    list_.Focus();
}

void CAliasesDlg::OnRemove()
{
    const Alias* selected = Selected();
    if (!selected)
        return;
    const std::string keyword = selected->keyword;
    if (ShowMessageBox(Handle(), "Remove the alias \"" + keyword + "\"?", "Aliases",
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    aliases_.Remove(keyword);
    Fill(std::string());
}

CAliasDlg::CAliasDlg(AliasTable& aliases, Alias edited, HWND parent)
    : Dialog(IDD_ALIAS, parent), alias(std::move(edited)), aliases_(aliases), edited_(alias.keyword)
{
}

void CAliasDlg::DoDataExchange(DataExchange& dx)
{
    dx.Text(IDC_ALIAS_KEYWORD, alias.keyword, kMaxFieldText);
    dx.Text(IDC_ALIAS_TEMPLATE, alias.aliasTemplate, kMaxFieldText);
}

void CAliasDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    const AliasTable::Check check = aliases_.CheckEdit(alias, edited_);
    if (check.refusal) {
        ShowMessageBox(Handle(), *check.refusal, "Alias", MB_ICONEXCLAMATION);
        Item(check.refusal->find("template") != std::string::npos ? IDC_ALIAS_TEMPLATE : IDC_ALIAS_KEYWORD).Focus();
        return;
    }
    if (check.replaces &&
        ShowMessageBox(Handle(), "An alias \"" + *check.replaces + "\" exists already.  Do you want to replace it?",
                       "Alias", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        Item(IDC_ALIAS_KEYWORD).Focus();
        return;
    }
    if (!aliases_.Put(alias, edited_)) {
        ShowMessageBox(Handle(), "The alias could not be saved.", "Alias", MB_ICONERROR);
        return;
    }
    EndDialog(IDOK);
}
