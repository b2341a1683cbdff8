// The dialog base on real templates: modal run, default buttons, routing, data exchange, reflection,
// the pre-translate hook and the thunk's exception guard.
#include "UiScript.h"

#include "framework/Dialog.h"
#include "framework/MessageBox.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// The Preferences template gives text, number and check-box fields to exchange.
class ExchangeDialog : public Dialog {
public:
    ExchangeDialog() : Dialog(IDD_PREFERENCES)
    {
        OnNotify(IDC_LOG_FILE, EN_CHANGE, [this] { ++changes; });
    }

    std::string text;
    int number = 0;
    int checked = 0;
    int changes = 0;
    std::function<void()> onInit;

protected:
    BOOL OnInitDialog() override
    {
        const BOOL focus = Dialog::OnInitDialog();
        if (onInit)
            onInit();
        return focus;
    }
    void DoDataExchange(DataExchange& dx) override
    {
        dx.Text(IDC_LOG_FILE, text, 259);
        dx.Int(IDC_EDIT_FIELD, number);
        dx.Check(IDC_CLEAR_HISTORY_AUTO, checked);
    }
};

// The About template: an enabled default OK button and a second button.
class RoutedDialog : public Dialog {
public:
    explicit RoutedDialog(HWND parent = nullptr) : Dialog(IDD_ABOUTBOX, parent) {}
    using Dialog::OnCommand;
    using Dialog::OnMessage;
    using Dialog::OnNotify;
};

class EditUpdateWatcher : public ControlObject {
public:
    int reflected = 0;
    int keyDowns = 0;
    bool OnReflectedCommand(UINT code) override
    {
        if (code != CBN_EDITUPDATE)
            return false;
        ++reflected;
        return true;
    }
    bool PreTranslateMessage(MSG& message) override
    {
        if (message.message == WM_KEYDOWN)
            ++keyDowns;
        return false;
    }
};

class ComboDialog : public Dialog {
public:
    ComboDialog() : Dialog(IDD_VELQUIN_DIALOG)
    {
        OnNotify(IDC_HISTORY_COMBO, CBN_EDITUPDATE, [this] { ++dialogSawEditUpdate; });
        OnNotify(IDC_HISTORY_COMBO, CBN_EDITCHANGE, [this] { ++dialogSawEditChange; });
    }
    EditUpdateWatcher box;
    int dialogSawEditUpdate = 0;
    int dialogSawEditChange = 0;

protected:
    void DoDataExchange(DataExchange& dx) override { dx.Control(IDC_HISTORY_COMBO, box); }
};

HWND EditOf(HWND combo)
{
    return FindWindowExA(combo, nullptr, "Edit", nullptr);
}

}  // namespace

TEST(Dialog, EnterEscapeAndTheCloseBoxEndTheModalRun)
{
    struct Case {
        const char* how;
        std::function<void(HWND)> end;
        INT_PTR result;
    };
    const Case cases[] = {
        {"Enter", [](HWND d) { PressKey(GetDlgItem(d, IDOK), VK_RETURN); }, IDOK},
        {"Escape", [](HWND d) { PressKey(GetDlgItem(d, IDOK), VK_ESCAPE); }, IDCANCEL},
        {"close box", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL},
        {"OK button", [](HWND d) { Click(d, IDOK); }, IDOK},
    };
    for (const Case& c : cases) {
        RoutedDialog dialog;
        HWND window = nullptr;
        UiScript script;
        script.WaitForDialog("About Velquin...", &window).Then([&] { c.end(window); });
        EXPECT_EQ(dialog.DoModal(), c.result) << c.how;
        EXPECT_TRUE(script.Finished()) << c.how;
        EXPECT_EQ(dialog.Handle(), nullptr) << c.how << ": the window is gone after the run";
    }
}

TEST(Dialog, RoutesCommandsNotificationsAndMessagesToTheirHandlers)
{
    RoutedDialog dialog;
    int clicks = 0, menuCommands = 0;
    LRESULT dragIcon = 0, unhandled = -1;
    dialog.OnCommand(IDC_SYSTEM_INFO, [&] { ++clicks; });
    dialog.OnCommand(ID_HELP_ABOUT, [&] { ++menuCommands; });
    dialog.OnMessage(WM_QUERYDRAGICON, [](Message& m) {
        m.result = 0x1234;
        return true;
    });
    dialog.OnMessage(WM_USER + 5, [](Message&) { return false; });  // left to the default processing

    HWND window = nullptr;
    UiScript script;
    script.WaitForDialog("About Velquin...", &window)
        .Then([&] {
            Click(window, IDC_SYSTEM_INFO);
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(ID_HELP_ABOUT, 0), 0);  // as a menu sends it
            dragIcon = SendMessageA(window, WM_QUERYDRAGICON, 0, 0);
            unhandled = SendMessageA(window, WM_USER + 5, 0, 0);
        })
        .When([&] { return clicks > 0 && menuCommands > 0; }, [&] { Click(window, IDCANCEL); });
    // IDCANCEL has no button here: the default cancel handling still ends the dialog.
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(menuCommands, 1);
    EXPECT_EQ(dragIcon, 0x1234);
    EXPECT_EQ(unhandled, 0);
}

TEST(Dialog, AnExceptionInAHandlerEndsOnlyThatCommand)
{
    RoutedDialog dialog;
    int after = 0;
    dialog.OnCommand(IDC_SYSTEM_INFO, [] { throw std::runtime_error("out of memory"); });
    dialog.OnCommand(ID_HELP_ABOUT, [&] { ++after; });

    HWND window = nullptr;
    UiScript script;
    script.WaitForDialog("About Velquin...", &window)
        .Then([&] { Click(window, IDC_SYSTEM_INFO); })
        .Then([&] { PostMessageA(window, WM_COMMAND, MAKEWPARAM(ID_HELP_ABOUT, 0), 0); })
        .When([&] { return after == 1; }, [&] { Click(window, IDOK); });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(script.Finished());
}

TEST(DataExchange, FillsControlsAndSendsNoChangeWhenTheTextIsAlreadyThere)
{
    ExchangeDialog dialog;
    dialog.text = "C:\\Logs\\history.txt";
    dialog.number = 30;
    dialog.checked = 1;
    int changesAfterOpening = -1;
    std::string shownText, shownNumber;
    bool shownChecked = false;
    LRESULT limit = 0;

    HWND window = nullptr;
    UiScript script;
    script.WaitForDialog("Preferences", &window).Then([&] {
        changesAfterOpening = dialog.changes;
        char buffer[300];
        GetDlgItemTextA(window, IDC_LOG_FILE, buffer, sizeof(buffer));
        shownText = buffer;
        GetDlgItemTextA(window, IDC_EDIT_FIELD, buffer, sizeof(buffer));
        shownNumber = buffer;
        shownChecked = IsDlgButtonChecked(window, IDC_CLEAR_HISTORY_AUTO) == BST_CHECKED;
        limit = SendDlgItemMessageA(window, IDC_LOG_FILE, EM_GETLIMITTEXT, 0, 0);

        dialog.UpdateData(false);  // the same text again: no notification
        EXPECT_EQ(dialog.changes, changesAfterOpening);
        dialog.text = "D:\\other.txt";
        dialog.UpdateData(false);  // a different text: one notification
        EXPECT_EQ(dialog.changes, changesAfterOpening + 1);
        Click(window, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(changesAfterOpening, 1);  // filling the empty field at opening is a change
    EXPECT_EQ(shownText, "C:\\Logs\\history.txt");
    EXPECT_EQ(shownNumber, "30");
    EXPECT_TRUE(shownChecked);
    EXPECT_EQ(limit, 259);
}

TEST(DataExchange, TakesValuesBackAndRefusesANumberThatIsNone)
{
    ExchangeDialog dialog;
    dialog.number = 30;
    bool firstTry = true;
    HWND focusAfterFailure = nullptr, numberField = nullptr;
    int numberAfterFailure = 0;

    HWND window = nullptr;
    UiScript script;
    script.WaitForDialog("Preferences", &window)
        .Then([&] {
            SetDlgItemTextA(window, IDC_EDIT_FIELD, "abc");
            SetDlgItemTextA(window, IDC_LOG_FILE, "C:\\new.log");
            CheckDlgButton(window, IDC_CLEAR_HISTORY_AUTO, BST_CHECKED);
            firstTry = dialog.UpdateData(true);
            focusAfterFailure = GetFocus();
            numberField = GetDlgItem(window, IDC_EDIT_FIELD);
            numberAfterFailure = dialog.number;
        })
        .Then([&] {
            SetDlgItemTextA(window, IDC_EDIT_FIELD, "12");
            PressKey(GetDlgItem(window, IDOK), VK_RETURN);
        });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(firstTry);
    EXPECT_EQ(numberAfterFailure, 30);
    EXPECT_EQ(focusAfterFailure, numberField);
    EXPECT_EQ(dialog.number, 12);
    EXPECT_EQ(dialog.text, "C:\\new.log");
    EXPECT_EQ(dialog.checked, 1);
}

TEST(Dialog, AControlSeesItsOwnNotificationsAndTheKeysOfItsEditField)
{
    ComboDialog dialog;
    HWND window = nullptr;
    std::string typed;
    UiScript script;
    script.WaitForDialog("Velquin", &window)
        .Then([&] {
            HWND edit = EditOf(GetDlgItem(window, IDC_HISTORY_COMBO));
            SetFocus(edit);
            PostMessageA(edit, WM_KEYDOWN, 'N', 1);
            PostMessageA(edit, WM_KEYUP, 'N', 0xC0000001);
        })
        .When([&] { return dialog.box.reflected > 0; },
              [&] {
                  typed = dialog.box.Text();
                  Click(window, IDCANCEL);
              });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(typed, "n");
    EXPECT_EQ(dialog.box.keyDowns, 1);
    EXPECT_EQ(dialog.box.reflected, 1);
    EXPECT_EQ(dialog.dialogSawEditUpdate, 0) << "a handled reflection stays with the control";
    EXPECT_EQ(dialog.dialogSawEditChange, 1) << "other notifications still reach the dialog";
    EXPECT_EQ(dialog.box.Handle(), nullptr) << "the control object lets go of the destroyed window";
}

TEST(Dialog, AChildDialogDisablesItsOwnerWhileItRuns)
{
    RoutedDialog parent;
    bool ownerEnabledDuringChild = true;
    bool ownerEnabledAfterChild = false;
    HWND parentWindow = nullptr, childWindow = nullptr;

    parent.OnCommand(IDC_SYSTEM_INFO, [&] {
        Dialog child(IDD_FIND, parentWindow);
        child.DoModal();
        ownerEnabledAfterChild = IsWindowEnabled(parentWindow) != FALSE;
    });

    UiScript script;
    script.WaitForDialog("About Velquin...", &parentWindow)
        .Then([&] { Click(parentWindow, IDC_SYSTEM_INFO); })
        .WaitForDialog("Find", &childWindow)
        .Then([&] {
            ownerEnabledDuringChild = IsWindowEnabled(parentWindow) != FALSE;
            EXPECT_EQ(GetWindow(childWindow, GW_OWNER), parentWindow);
            PressKey(GetDlgItem(childWindow, IDCANCEL), VK_ESCAPE);
        })
        .When([&] { return FindThreadDialog("Find") == nullptr; }, [&] { Click(parentWindow, IDOK); });
    EXPECT_EQ(parent.DoModal(), IDOK);
    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(ownerEnabledDuringChild);
    EXPECT_TRUE(ownerEnabledAfterChild);
}

TEST(MessageBoxes, IsShownWithItsTextCaptionIconAndButtons)
{
    MessageBoxSeen seen;
    UiScript script;
    script.AnswerMessageBox(&seen, IDNO);
    const int answer = ShowMessageBox(nullptr, "The file 'x' already exists.  Would you like to replace it?",
                                      "Velquin", MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(seen.caption, "Velquin");
    EXPECT_EQ(seen.text, "The file 'x' already exists.  Would you like to replace it?");
    EXPECT_EQ(seen.icon, LoadIconA(nullptr, IDI_EXCLAMATION));
    EXPECT_EQ(seen.buttons, (std::vector<std::string>{"&Yes", "&No"}));
}
