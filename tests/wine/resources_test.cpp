// The ids and labels of every dialog and menu as the system builds them, and the manifest as the system reads
// it: a swapped id or label, or a setting the system would misread, shows here.
#include "TestSupport.h"

#include "framework/Handles.h"
#include "framework/Unicode.h"

namespace {

INT_PTR CALLBACK Passive(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// "caption | id text | id text …" in creation order; icons and empty texts show as their id alone.
std::string DialogLabels(int id)
{
    HWND dialog = CreateDialogParamA(App::Instance(), MAKEINTRESOURCEA(id), nullptr, Passive, 0);
    std::string labels = dialog ? WindowText(dialog) : "<no template>";
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        const int control = static_cast<short>(GetDlgCtrlID(c));
        const bool icon = ClassOf(c) == "Static" && (GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
        const std::string text = icon ? "" : WindowText(c);
        if (control != -1 || !text.empty())
            labels += " | " + std::to_string(control) + (text.empty() ? "" : " " + text);
    }
    DestroyWindow(dialog);
    return labels;
}

// " | [popup] | id label | …" in menu order, separators left out.
std::string MenuLabels(HMENU menu)
{
    std::string labels;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char label[128] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), label, sizeof(label), MF_BYPOSITION);
        if (HMENU sub = GetSubMenu(menu, i))
            labels += " | [" + std::string(label) + "]" + MenuLabels(sub);
        else if (!(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR))
            labels += " | " + std::to_string(GetMenuItemID(menu, i)) + " " + label;
    }
    return labels;
}

}  // namespace

TEST(Resources, DialogsAndMenusHaveTheirIdsAndLabels)
{
    TestApp app;
    const std::pair<int, const char*> dialogs[] = {
        {102, "Velquin | 1000 | 1062 &Add to my path | 1 OK | 1015 Cl&ear | 1001 &Browse... | 1014 Clear Hi&story | "
              "1040 O&ptions | 1050 Mi&nimize | 2 E&xit | -1 Enter the name of the application, document, or "
              "internet resource and Velquin will open it for you. If you are not sure of the file name or where it "
              "is located, click &Browse to find it. | -1 &Open:"},
        {100, "About Velquin... | -1 Velquin Version 1.19 | 1 &OK | 1013 &System Info..."},
        {145, "Preferences | -1 General | -1 Maximum number items to keep in history folder: | 1034 | 1043 Clear "
              "&History Automatically | 1053 Start Minimi&zed | 1052 Start when &Windows Starts | 1060 Minimize &on "
              "Success | 1072 &Put Icon in tray for easy access (Needs a restart) | 1044 Suggest &as I type | 1045 "
              "Show h&idden suggestions | 1046 &Save History to file | -1 &Location: | 1047 | 1048 &... | 1049 View | "
              "-1 Other Options | 1084 Prompt on Lo&g Off | 1085 Prompt on &Restart | 1086 Prompt On Sh&utdown | -1 Startup Size | 1054 Nor&mal | "
              "1055 Ma&ximized | 1056 Mi&nimized | -1 Hot&key: | 1093 | 1094 Op&en with Win+R | 1 OK | 1035 "
              "&Default | 2 Cancel"},
        {157, "Path Editor | -1 This tool can help you to edit your path.  Here you can add, edit, or remove files "
              "from your path.  This will allow you to type 'notepad' instead of 'C:\\Windows\\notepad.exe'. | 1067 "
              "| 1063 &Add | 1064 &Edit | 1065 &Remove | 1073 Reloa&d | 1082 &Find | 1066 &Close"},
        {158, "Add | -1 Program &Name: | 1070 | -1 &Program Path: | 1034 | -1 Working &Directory: | 1069 | 1 OK | 2 "
              "Cancel | 1001 &Browse"},
        {161, "Find | -1 Use this to find a file in your path.  If it is found, it will be selected. | -1 &Find What: "
              "| 1034 | 1 OK | 2 Cancel"},
        {164, "Velquin History | -1 You can use this dialog to edit your Velquin history.  This can be useful if you "
              "don't want other people to see certain things you've typed. | 1087 | 1088 &Remove | 1090 &Find | 1092 "
              "Find &Next | 2 &Close"},
        {165, "Aliases | -1 Type a keyword, a blank and the rest: the keyword stands for its template.  {*} is the "
              "rest, {1} to {9} its arguments. | 1095 | 1096 &Add... | 1097 &Edit... | 1098 &Remove | 2 Close"},
        {166, "Alias | -1 &Keyword: | 1099 | -1 &Template: | 1100 | 1 OK | 2 Cancel"},
    };
    for (const auto& [id, labels] : dialogs)
        EXPECT_EQ(DialogLabels(id), labels);

    const std::string folders = " | [Fol&ders] | 32822 Des&ktop | 32823 &Favorites | 32824 &History | 32825 &My "
                                "Documents | 32826 &Programs | 32828 &Recent | 32827 &Start Menu | 32834 S&ystem "
                                "Directory | 32829 &Windows Directory";
    const std::string programs = " | [P&rograms] | 32814 Disk &Defragmenter | 32831 E&xplorer | 32812 &Paint | 32815 "
                                 "&Scandisk | 32813 System &Information | 32810 &Notepad | 32830 Re&gistry Editor | "
                                 "32816 &Wordpad | 32819 W&rite";
    const UniqueHandle<MenuTraits> main(LoadMenuA(App::Instance(), MAKEINTRESOURCEA(128)));
    const UniqueHandle<MenuTraits> tray(LoadMenuA(App::Instance(), MAKEINTRESOURCEA(146)));
    EXPECT_EQ(MenuLabels(main.Get()),
              " | [&File] | 32774 &Browse | 32843 &Export Settings... | 32844 &Import Settings... | 32839 Mi&nimize"
              " | 32773 E&xit" + folders + programs +
                  " | [&Tools] | 32800 Clear Hi&story | 32840 Edit Histo&ry | 32838 &Import Run History | 32801 Path "
                  "E&ditor | 32842 &Aliases... | 32799 &Preferences | 32837 &Log Off | 32836 &Restart Windows | 32835 Sh&utdown Windows | "
                  "[&Help] | 32809 &Display Readme File | 32780 &About Velquin...");
    EXPECT_EQ(MenuLabels(tray.Get()), " | [&File] | 32786 Ma&ximize | 32841 &Open Last Item" + folders + programs +
                                   " | 32791 &Preferences | 32804 Path E&ditor | 32790 Clear History &Now | 32789 "
                                   "&About Velquin... | 32785 &Exit Velquin");
}

// The DPI settings as the system reads them from the program's manifest. Windows 10 1607 knows PerMonitor but
// not PerMonitorV2, and takes the first of the list it knows.
TEST(Resources, TheManifestAsksForPerMonitorV2AndOtherwiseTheSystemsResolution)
{
    const auto setting = [](const wchar_t* space, const wchar_t* name) {
        wchar_t value[128] = {};
        SIZE_T written = 0;
        const WideString url = WideString(L"http://schemas.microsoft.com/SMI/") + space + L"/WindowsSettings";
        if (!QueryActCtxSettingsW(0, nullptr, url.c_str(), name, value, 128, &written))
            return std::string("<none>");
        return Utf8(value);
    };
    EXPECT_EQ(setting(L"2016", L"dpiAwareness"), "PerMonitorV2, System");
    EXPECT_EQ(setting(L"2005", L"dpiAware"), "true") << "Windows 8.1 and 10 before 1607";
}
