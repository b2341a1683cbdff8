#include "find/FindDlg.h"

#include "res/resource.h"

namespace {

constexpr int kMaxSearchText = 259;

}  // namespace

CFindDlg::CFindDlg(const std::string& searchText, HWND parent) : Dialog(IDD_FIND, parent), searchText_(searchText)
{
    OnNotify(IDC_EDIT_FIELD, EN_CHANGE, [this] { OnTextChanged(); });
}

void CFindDlg::DoDataExchange(DataExchange& dx)
{
    dx.Text(IDC_EDIT_FIELD, searchText_, kMaxSearchText);
}

BOOL CFindDlg::OnInitDialog()
{
    const BOOL focus = Dialog::OnInitDialog();
    if (!searchText_.empty())
        Item<Button>(IDOK).Enable();
    return focus;
}

void CFindDlg::OnTextChanged()
{
    searchText_ = Item(IDC_EDIT_FIELD).Text();
    Item<Button>(IDOK).Enable(!searchText_.empty());
}

void CFindDlg::OnOK()
{
    searchText_ = Item(IDC_EDIT_FIELD).Text();
    if (searchText_.empty())
        return;  // OK is disabled then; Enter must not confirm an empty search either
    Dialog::OnOK();
}
