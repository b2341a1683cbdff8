#include "paths/RegeditDlg.h"

#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/Registry.h"
#include "framework/Unicode.h"
#include "paths/AppPaths.h"
#include "res/resource.h"
#include "text/CommandText.h"

namespace {

constexpr int kMaxValueText = 259;  // a 260-byte registry buffer
constexpr int kMaxNameText = 255;   // the longest key name the registry takes

}  // namespace

bool IsUsableAppPathName(const std::string& name)
{
    return !name.empty() && name.find('\\') == std::string::npos;
}

CRegeditDlg::CRegeditDlg(HWND parent) : Dialog(IDD_PATH_ENTRY, parent)
{
    for (int id : {IDC_PROGRAM_NAME, IDC_EDIT_FIELD, IDC_WORKING_DIRECTORY})
        OnNotify(id, EN_CHANGE, [this] { ReadFields(); });
    OnCommand(IDC_BROWSE, [this] { OnBrowse(); });
}

void CRegeditDlg::DoDataExchange(DataExchange& dx)
{
    dx.Control(IDC_BROWSE, browseButton_);
    dx.Control(IDOK, okButton_);
    dx.Control(IDC_PROGRAM_NAME, nameField_);
    dx.Control(IDC_WORKING_DIRECTORY, directoryField_);
    dx.Control(IDC_EDIT_FIELD, pathField_);
    dx.Text(IDC_EDIT_FIELD, m_programPath, kMaxValueText);
    dx.Text(IDC_WORKING_DIRECTORY, m_workingDirectory, kMaxValueText);
    dx.Text(IDC_PROGRAM_NAME, m_name, kMaxNameText);
}

BOOL CRegeditDlg::OnInitDialog()
{
    originalName_ = m_name;
    const BOOL focus = Dialog::OnInitDialog();
    if (!m_isNew) {
        const AppPathEntry entry = ReadAppPathEntry(m_name);
        m_programPath = entry.programPath;
        m_workingDirectory = entry.workingDirectory;
        programExpands_ = entry.programExpands;
        directoryExpands_ = entry.directoryExpands;
    }
    if (m_editMode)
        SetWindowTextA(Handle(), "Edit");
    m_name = nameField_.Text();
    if (!m_isNew) {
        // Each field's change notice reads all three fields back: fill from copies.
        const AppPathEntry read{m_name, m_programPath, m_workingDirectory};
        directoryField_.SetText(read.workingDirectory);
        pathField_.SetText(read.programPath);
    }
    UpdateOk();
    return focus;  // the first field, Program Name
}

void CRegeditDlg::ReadFields()
{
    m_workingDirectory = directoryField_.Text();
    m_name = nameField_.Text();
    m_programPath = pathField_.Text();
    UpdateOk();
}

void CRegeditDlg::UpdateOk()
{
    okButton_.Enable(!m_name.empty() && !m_programPath.empty());
}

void CRegeditDlg::OnBrowse()
{
    FileDialogRequest request;
    request.owner = Handle();
    request.title = "Browse";
    request.filter = "Programs|*.exe;*.bat;*.com;*.dll|All Files |*.*||";
    request.flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_NODEREFERENCELINKS;
    request.initialFolder = pathField_.Text();
    if (request.initialFolder.empty()) {
        const RegKey folders =
            RegKey::Open(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
        request.initialFolder = folders.ReadString("Personal").value_or(std::string());
    }
    FileDialogChoice choice;
    if (!RunOpenFileDialog(request, choice))
        return;

    pathField_.SetText(choice.path);
    nameField_.SetSel(0, -1);
    directoryField_.SetText(FolderOf(choice.path));
    m_name = nameField_.Text();
    if (!m_name.empty()) {
        okButton_.Focus();
        browseButton_.SetButtonStyle(BS_PUSHBUTTON);
    } else {
        nameField_.Focus();
    }
    okButton_.SetButtonStyle(BS_DEFPUSHBUTTON);
}

void CRegeditDlg::FocusName()
{
    nameField_.Focus();
    nameField_.SetSel(0, -1);
}

bool CRegeditDlg::NameIsUsable()
{
    if (IsUsableAppPathName(m_name))
        return true;
    ShowMessageBox(Handle(),
                   "The program name cannot be empty or contain a backslash (\\).  Type the name the program is "
                   "started by, such as notepad.exe.",
                   "Velquin", MB_ICONEXCLAMATION);
    FocusName();
    return false;
}

void CRegeditDlg::Write()
{
    std::optional<AppPathTable> table;
    std::optional<ListedAppPath> from;
    if (!m_isNew) {
        table = m_table;
        from = ListedAppPath{originalName_, m_table};
    }
    // A new spelling of the same name respells the key itself. Where the machine's table refuses, the user gets
    // an entry of their own, as for any other change.
    const bool respelling = !m_isNew && m_name != originalName_ && SameTextIgnoringCase(m_name, originalName_);
    const bool respelt = !respelling || RespellAppPathEntry(originalName_, m_name, m_table);
    if (!respelt)
        table = AppPathTable::User;
    // Each value keeps its type: an expandable one stays expandable, or its references stop working. An entry
    // under another name or in the user's table takes every other value of the old key with it.
    if ((respelt || m_table == AppPathTable::Machine) &&
        WriteAppPathEntry({m_name, m_programPath, m_workingDirectory, programExpands_, directoryExpands_}, table,
                          from)) {
        Dialog::OnOK();
        return;
    }
    ShowMessageBox(Handle(), AppPathRefusedText(m_name), "Velquin", MB_ICONEXCLAMATION);  // the fields stay
    FocusName();
}

void CRegeditDlg::OnOK()
{
    m_workingDirectory = directoryField_.Text();
    m_name = nameField_.Text();
    m_programPath = pathField_.Text();
    if (!NameIsUsable())
        return;

    // Adding, or renaming an entry, onto another entry's name would replace that entry: ask first.
    const bool takesAnotherName = m_isNew || !SameTextIgnoringCase(m_name, originalName_);
    if (!takesAnotherName || !AppPathEntryExists(m_name)) {
        Write();
        return;
    }
    const int answer = ShowMessageBox(Handle(),
                                      "The entry you specified already exists.  Do you wish to overwrite it?",
                                      "Confirm", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answer == IDYES)
        Write();
    else
        FocusName();
}
