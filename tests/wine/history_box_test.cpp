// The history list on the main window's real drop-down box and the real profile.
#include "TestSupport.h"
#include "UiScript.h"

#include "framework/Dialog.h"
#include "history/ComboBoxWindow.h"
#include "history/MRUComboBox.h"
#include "res/resource.h"
#include "settings/ProfileLayout.h"

#include <gtest/gtest.h>

namespace {

class BoxDialog : public Dialog {
public:
    BoxDialog() : Dialog(IDD_VELQUIN_DIALOG) {}
    ComboBoxWindow box;

protected:
    void DoDataExchange(DataExchange& dx) override { dx.Control(IDC_HISTORY_COMBO, box); }
};

}  // namespace

TEST(HistoryBox, ShowsTheHistoryNewestFirstAndKeepsTheTypedText)
{
    CleanProfile clean;
    TestApp app;
    AppProfile().WriteString(profile::kHistory, "File #1", "notepad");
    AppProfile().WriteString(profile::kHistory, "File #3", "C:\\My Files\\a.txt");  // a gap at 2

    BoxDialog dialog;
    std::vector<std::string> items;
    std::string edit;
    HWND window = nullptr;
    UiScript script;
    script.WaitForDialog("Velquin", &window).Then([&] {
        CMRUComboBox history(AppProfile());
        history.SetView(&dialog.box);
        SetUpAsHistory(history, 30);
        dialog.box.SetText("typed");
        history.AddToMRU("mspaint");
        for (int i = 0; i < dialog.box.ItemCount(); ++i)
            items.push_back(dialog.box.ItemText(i));
        edit = dialog.box.EditText();
        dialog.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(items, (std::vector<std::string>{"mspaint", "notepad", "C:\\My Files\\a.txt"}));
    EXPECT_EQ(edit, "typed");
    // Saved in the order shown; the empty slot stays empty.
    EXPECT_EQ(AppProfile().ReadString(profile::kHistory, "File #1"), "mspaint");
    EXPECT_EQ(AppProfile().ReadString(profile::kHistory, "File #2"), "notepad");
    EXPECT_EQ(AppProfile().ReadString(profile::kHistory, "File #4"), "C:\\My Files\\a.txt");
    EXPECT_EQ(AppProfile().ValueNames(profile::kHistory).size(), 3u);
}
