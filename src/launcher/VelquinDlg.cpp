#include "launcher/VelquinDlg.h"

#include "framework/App.h"
#include "res/resource.h"
#include "settings/Option.h"

CVelquinDlg::CVelquinDlg() : Dialog(IDD_VELQUIN_DIALOG) {}

BOOL CVelquinDlg::OnInitDialog()
{
    App::Current().SetMainWindow(Handle());

    COption settings;
    settings.LoadSettings();

    return Dialog::OnInitDialog();
}
