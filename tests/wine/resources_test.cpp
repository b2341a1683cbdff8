// The templates, menus and icons as the system builds them from the resources.
#include "UiScript.h"

#include "framework/App.h"
#include "framework/Dialog.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct ControlState {
    int id;
    std::string className;
    std::string text;
    bool enabled;
    bool visible;
    bool operator==(const ControlState& o) const
    {
        return id == o.id && className == o.className && text == o.text && enabled == o.enabled &&
               visible == o.visible;
    }
};

std::ostream& operator<<(std::ostream& out, const ControlState& c)
{
    return out << "{" << c.id << ", " << c.className << ", \"" << c.text << "\", "
               << (c.enabled ? "enabled" : "disabled") << ", " << (c.visible ? "visible" : "hidden") << "}";
}

struct Opened {
    std::string caption;
    std::vector<ControlState> controls;  // in tab (creation) order
    HMENU menu = nullptr;
};

// Opens the template as a modal dialog and reads it as the user would first see it.
Opened OpenTemplate(UINT id)
{
    Dialog dialog(id);
    Opened opened;
    UiScript script;
    script
        .When([&] { return dialog.Handle() && IsWindowVisible(dialog.Handle()); },
              [&] {
                  HWND window = dialog.Handle();
                  char text[512];
                  GetWindowTextA(window, text, sizeof(text));
                  opened.caption = text;
                  opened.menu = GetMenu(window);
                  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                      char name[64];
                      GetClassNameA(c, name, sizeof(name));
                      GetWindowTextA(c, text, sizeof(text));
                      const bool isIcon = (GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                                          std::string(name) == "Static";
                      const int id = static_cast<short>(GetDlgCtrlID(c));  // IDC_STATIC reads back as 0xFFFF
                      opened.controls.push_back({id, name, isIcon ? "" : text,
                                                 IsWindowEnabled(c) != FALSE,
                                                 (GetWindowLongA(c, GWL_STYLE) & WS_VISIBLE) != 0});
                  }
              })
        .Then([&] { dialog.EndDialog(IDCANCEL); });
    dialog.DoModal();
    EXPECT_TRUE(script.Finished()) << "template " << id;
    return opened;
}

std::vector<int> Ids(const Opened& opened)
{
    std::vector<int> ids;
    for (const ControlState& c : opened.controls)
        ids.push_back(c.id);
    return ids;
}

const ControlState* Find(const Opened& opened, int id)
{
    for (const ControlState& c : opened.controls) {
        if (c.id == id)
            return &c;
    }
    return nullptr;
}

std::string MenuLabel(HMENU menu, int position)
{
    char label[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), label, sizeof(label), MF_BYPOSITION);
    return label;
}

// "label=id" per item, "-" for a separator, "label>" for a sub-menu.
std::vector<std::string> MenuItems(HMENU menu)
{
    std::vector<std::string> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (GetSubMenu(menu, i))
            items.push_back(MenuLabel(menu, i) + ">");
        else if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR)
            items.push_back("-");
        else
            items.push_back(MenuLabel(menu, i) + "=" + std::to_string(GetMenuItemID(menu, i)));
    }
    return items;
}

const std::vector<std::string> kFolders = {
    "Des&ktop=32822", "&Favorites=32823", "&History=32824", "&My Documents=32825",       "&Programs=32826",
    "&Recent=32828",  "&Start Menu=32827", "S&ystem Directory=32834", "&Windows Directory=32829"};
const std::vector<std::string> kPrograms = {
    "Disk &Defragmenter=32814", "E&xplorer=32831",         "&Paint=32812",
    "&Scandisk=32815",          "System &Information=32813", "&Notepad=32810",
    "Re&gistry Editor=32830",   "&Wordpad=32816",          "W&rite=32819"};

struct IconEntry {
    int width;
    int bitCount;
};

std::vector<IconEntry> IconGroup(UINT id)
{
#pragma pack(push, 2)
    struct GroupEntry {
        BYTE width, height, colorCount, reserved;
        WORD planes, bitCount;
        DWORD bytes;
        WORD id;
    };
#pragma pack(pop)
    std::vector<IconEntry> entries;
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
    if (!found)
        return entries;
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    const WORD count = *reinterpret_cast<const WORD*>(data + 4);
    const GroupEntry* entry = reinterpret_cast<const GroupEntry*>(data + 6);
    for (WORD i = 0; i < count; ++i)
        entries.push_back({entry[i].width, entry[i].bitCount});
    return entries;
}

}  // namespace

TEST(Resources, MainWindowTemplateHasItsControlsInTabOrderAndStartStates)
{
    const Opened main = OpenTemplate(IDD_VELQUIN_DIALOG);
    EXPECT_EQ(main.caption, "Velquin");
    EXPECT_EQ(Ids(main), (std::vector<int>{1000, 1062, 1, 1015, 1001, 1014, 1040, 1050, 2, -1, -1, -1}));

    EXPECT_EQ(*Find(main, 1000), (ControlState{1000, "ComboBox", "", true, true}));
    EXPECT_EQ(*Find(main, 1062), (ControlState{1062, "Button", "&Add to my path", false, true}));
    EXPECT_EQ(*Find(main, 1), (ControlState{1, "Button", "OK", false, true}));
    EXPECT_EQ(*Find(main, 1015), (ControlState{1015, "Button", "Cl&ear", false, true}));
    EXPECT_EQ(*Find(main, 1001), (ControlState{1001, "Button", "&Browse...", true, true}));
    EXPECT_EQ(*Find(main, 1014), (ControlState{1014, "Button", "Clear Hi&story", true, false}));
    EXPECT_EQ(*Find(main, 1040), (ControlState{1040, "Button", "O&ptions", true, false}));
    EXPECT_EQ(*Find(main, 1050), (ControlState{1050, "Button", "Mi&nimize", true, true}));
    EXPECT_EQ(*Find(main, 2), (ControlState{2, "Button", "E&xit", true, true}));
    EXPECT_EQ(main.controls[10].text, "&Open:");
    EXPECT_EQ(main.controls[9].text,
              "Enter the name of the application, document, or internet resource and Velquin will open it for you. "
              "If you are not sure of the file name or where it is located, click &Browse to find it.");
    EXPECT_NE(main.menu, nullptr);
}

TEST(Resources, EveryDialogTemplateOpensWithItsCaptionAndControls)
{
    struct Expected {
        UINT id;
        const char* caption;
        std::vector<int> controls;  // ids in tab order, -1 for a static
    };
    const Expected all[] = {
        {IDD_ABOUTBOX, "About Velquin...", {-1, 1, -1, 1013, -1, -1}},
        {IDD_PREFERENCES, "Preferences", {-1, -1, -1, 1034, 1043, 1053, 1052, 1060, 1072, 1046, -1, 1047, 1048,
                                          1049, -1, 1084, 1085, 1086, -1, 1054, 1055, 1056, 1, 1035, 2}},
        {IDD_PATH_EDITOR, "Path Editor", {-1, 1067, 1063, 1064, 1065, 1073, 1082, 1066}},
        {IDD_PATH_ENTRY, "Add", {-1, 1070, -1, 1034, -1, 1069, 1, 2, 1001}},
        {IDD_FIND, "Find", {-1, -1, -1, 1034, 1, 2}},
        {IDD_HISTORY_EDITOR, "Velquin History", {-1, 1087, 1088, 1090, 1092, 2}},
    };
    for (const Expected& e : all) {
        const Opened opened = OpenTemplate(e.id);
        EXPECT_EQ(opened.caption, e.caption) << e.id;
        EXPECT_EQ(Ids(opened), e.controls) << e.id;
        EXPECT_EQ(opened.menu, nullptr) << e.id;
    }
}

TEST(Resources, ChildDialogsStartWithTheirDocumentedStates)
{
    const Opened find = OpenTemplate(IDD_FIND);
    EXPECT_FALSE(Find(find, IDOK)->enabled) << "Find's OK waits for a text";
    EXPECT_EQ(find.controls[1].text, "Use this to find a file in your path.  If it is found, it will be selected.");
    EXPECT_EQ(find.controls[2].text, "&Find What:");

    const Opened history = OpenTemplate(IDD_HISTORY_EDITOR);
    EXPECT_EQ(*Find(history, 1088), (ControlState{1088, "Button", "&Remove", false, true}));
    EXPECT_EQ(Find(history, 1087)->className, "ListBox");
    EXPECT_EQ(Find(history, 2)->text, "&Close");

    const Opened paths = OpenTemplate(IDD_PATH_EDITOR);
    EXPECT_FALSE(Find(paths, 1064)->enabled);
    EXPECT_FALSE(Find(paths, 1065)->enabled);
    EXPECT_TRUE(Find(paths, 1073)->enabled);
    EXPECT_EQ(Find(paths, 1073)->text, "Reloa&d");

    const Opened preferences = OpenTemplate(IDD_PREFERENCES);
    EXPECT_EQ(Find(preferences, 1086)->text, "Prompt On Sh&utdown");
    EXPECT_EQ(Find(preferences, 1072)->text, "&Put Icon in tray for easy access (Needs a restart)");
    EXPECT_EQ(Find(preferences, 1048)->text, "&...");

    const Opened about = OpenTemplate(IDD_ABOUTBOX);
    EXPECT_EQ(about.controls[0].text, "Velquin Version 1.19");
    EXPECT_EQ(Find(about, 1013)->text, "&System Info...");
}

TEST(Resources, MenuBarHasItsFiveMenusInOrder)
{
    HMENU bar = LoadMenuA(App::Instance(), MAKEINTRESOURCEA(IDR_MAIN_MENU));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(MenuItems(bar), (std::vector<std::string>{"&File>", "Fol&ders>", "P&rograms>", "&Tools>", "&Help>"}));
    EXPECT_EQ(MenuItems(GetSubMenu(bar, 0)),
              (std::vector<std::string>{"&Browse=32774", "Mi&nimize=32839", "E&xit=32773"}));
    EXPECT_EQ(MenuItems(GetSubMenu(bar, 1)), kFolders);
    EXPECT_EQ(MenuItems(GetSubMenu(bar, 2)), kPrograms);
    EXPECT_EQ(MenuItems(GetSubMenu(bar, 3)),
              (std::vector<std::string>{"Clear Hi&story=32800", "Edit Histo&ry=32840", "&Import Run History=32838",
                                        "Path E&ditor=32801", "&Preferences=32799", "-", "&Log Off=32837",
                                        "&Restart Windows=32836", "Sh&utdown Windows=32835"}));
    EXPECT_EQ(MenuItems(GetSubMenu(bar, 4)),
              (std::vector<std::string>{"&Display Readme File=32809", "-", "&About Velquin...=32780"}));
    DestroyMenu(bar);
}

TEST(Resources, TrayMenuIsOnePopupWithTheSameFolderAndProgramIds)
{
    HMENU menu = LoadMenuA(App::Instance(), MAKEINTRESOURCEA(IDR_TRAY_MENU));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(MenuItems(menu), (std::vector<std::string>{"&File>"}));
    HMENU popup = GetSubMenu(menu, 0);
    EXPECT_EQ(MenuItems(popup),
              (std::vector<std::string>{"Ma&ximize=32786", "&Open Last Item=32841", "Fol&ders>", "P&rograms>",
                                        "&Preferences=32791", "Path E&ditor=32804", "Clear History &Now=32790",
                                        "&About Velquin...=32789", "-", "&Exit Velquin=32785"}));
    EXPECT_EQ(MenuItems(GetSubMenu(popup, 2)), kFolders);
    EXPECT_EQ(MenuItems(GetSubMenu(popup, 3)), kPrograms);
    DestroyMenu(menu);
}

TEST(Resources, IconsHaveTheirSizesAndColours)
{
    const auto large = IconGroup(IDI_VELQUIN);
    ASSERT_EQ(large.size(), 2u);
    EXPECT_EQ(large[0].width + large[1].width, 16 + 32);

    const auto small = IconGroup(IDI_VELQUIN_SMALL);
    ASSERT_EQ(small.size(), 1u);
    EXPECT_EQ(small[0].width, 16);
    EXPECT_EQ(small[0].bitCount, 4);

    EXPECT_NE(LoadImageA(App::Instance(), MAKEINTRESOURCEA(IDI_VELQUIN), IMAGE_ICON, 32, 32, 0), nullptr);
    EXPECT_NE(LoadImageA(App::Instance(), MAKEINTRESOURCEA(IDI_VELQUIN_SMALL), IMAGE_ICON, 16, 16, 0), nullptr);
}
