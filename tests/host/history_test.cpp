// The history: its slots in the profile, the list newest first within its capacity, and type-ahead.
#include "HostSupport.h"

#include "find/SearchRule.h"

#include <cctype>

namespace {

const char* const kSection = "Velquin MRU";

std::vector<std::string> Entries(const CRecentFileList& list)
{
    std::vector<std::string> entries;
    for (int i = 0; i < list.GetSize(); ++i)
        entries.push_back(list[i]);
    return entries;
}

// A box set up as the main window sets it up.
struct History {
    MemoryProfileStore store;
    FakeCombo combo;
    std::unique_ptr<CMRUComboBox> box = std::make_unique<CMRUComboBox>(store);

    explicit History(int maximum = 30)
    {
        box->SetView(&combo);
        SetUpAsHistory(*box, maximum);
    }
    void Press(const std::string& typed)
    {
        box->OnKeyDown(static_cast<unsigned>(std::toupper(static_cast<unsigned char>(typed[0]))));
        combo.Type(typed);
        box->OnEditUpdate();
    }
    std::string Shown() const
    {
        return combo.edit + " [" + std::to_string(combo.selStart) + "," + std::to_string(combo.selEnd) + ")";
    }
};

}  // namespace

TEST(RecentFileList, SlotsAreNumberedFromOneNewestFirstAndGapsAndStaleValuesLeave)
{
    MemoryProfileStore store;
    store.WriteString(kSection, "File #7", "stale");
    store.WriteString(kSection, "Notes", "someone else's");
    CRecentFileList list(1, kSection, "File #%d", 3, 30);
    for (const char* text : {"a", "write", "", "notepad"})
        list.Add(text);
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"notepad", "", "write"}));
    list.WriteList(store);
    EXPECT_EQ(store.ValueNames(kSection), (std::vector<std::string>{"File #1", "File #3", "Notes"}));
    EXPECT_EQ(store.ReadString(kSection, "File #3"), "write");

    CRecentFileList read(1, kSection, "File #%d", 4, 30);
    read.ReadList(store);
    EXPECT_EQ(Entries(read), (std::vector<std::string>{"notepad", "", "write", ""}));
    read.Remove(0);
    EXPECT_EQ(Entries(read), (std::vector<std::string>{"", "write", "", ""}));
    EXPECT_EQ(read.EntryName(9), "File #10");
}

TEST(RecentFileList, ARefusedWriteLeavesNoStaleCopyBehind)
{
    MemoryProfileStore store;
    store.WriteString(kSection, "File #1", "notepad");
    CRecentFileList list(1, kSection, "File #%d", 3, 30);
    list.Add("notepad");
    std::string cyrillic;  // 259 characters of two bytes each: it fits
    for (int i = 0; i < 259; ++i)
        cyrillic += "\xD0\xAE";
    EXPECT_TRUE(store.WriteString(kSection, "File #9", cyrillic));
    list.Add(std::string(260, 'x'));  // the store refuses it
    list.WriteList(store);
    EXPECT_EQ(store.ValueNames(kSection), (std::vector<std::string>{"File #2"}));
    EXPECT_EQ(store.ReadString(kSection, "File #2"), "notepad");
}

TEST(MRUComboBox, KeepsTheNewestWithinItsCapacityAndSavesWhenItGoes)
{
    History h(2);
    for (const char* text : {"X", "Y", "Z"})
        h.box->AddToMRU(text);
    EXPECT_FALSE(h.box->AddToMRU(""));
    EXPECT_EQ(h.combo.items, (std::vector<std::string>{"Z", "Y"}));
    EXPECT_EQ(h.store.ReadString(kSection, "File #1"), "Z");
    EXPECT_EQ(h.store.ReadString(kSection, "File #2"), "Y");

    EXPECT_EQ(h.box->SetMaxMRUSize(1), 2);
    h.box->SetSaveAfterAdd(false);
    h.box->AddToMRU("W");
    h.box.reset();
    EXPECT_EQ(h.store.ValueNames(kSection), (std::vector<std::string>{"File #1"}));
    EXPECT_EQ(h.store.ReadString(kSection, "File #1"), "W");

    EXPECT_EQ(History(0).box->GetMaxMRUSize(), 30);
}

TEST(Completion, TypingCompletesFromTheNewestMatchDeletingAndNoMatchDoNot)
{
    History h;
    h.box->AddToMRU("internet");
    h.box->AddToMRU("mspaint");
    h.box->AddToMRU("notepad");
    h.Press("N");
    EXPECT_EQ(h.Shown(), "notepad [1,7)") << "the entry's own letter case, the rest selected";
    h.Press("o");
    EXPECT_EQ(h.Shown(), "notepad [2,7)");

    h.box->OnKeyDown(0x08);  // Backspace removes the selected rest
    h.combo.edit.erase(2);
    h.combo.selEnd = 2;
    h.box->OnEditUpdate();
    EXPECT_EQ(h.Shown(), "no [2,2)");

    h.combo.edit = "ntepad";  // typing inside the text keeps the caret there
    h.combo.selStart = h.combo.selEnd = 1;
    h.Press("o");
    EXPECT_EQ(h.Shown(), "notepad [2,2)");

    h.combo.SetEditText("");
    h.Press("\xC4\xB1");  // the dotless ı, two bytes, is one character: "I" to the system
    EXPECT_EQ(h.Shown(), "internet [1,8)");

    h.combo.SetEditText("");
    h.Press("x");
    EXPECT_EQ(h.Shown(), "x [1,1)");
}

TEST(Completion, CtrlASelectsAllCtrlBackspaceDeletesTheWordBeforeTheCaretAndTheCompletedRest)
{
    const auto wordStart = [](const std::string& text) { return WordStartBefore(text, text.size()); };
    EXPECT_EQ(wordStart("C:\\Program Files\\"), 11u) << "the backslash and the folder's name";
    EXPECT_EQ(wordStart("notepad  "), 0u) << "blanks, then the word";
    EXPECT_EQ(wordStart("app.exe"), 4u);
    EXPECT_EQ(wordStart("tool --my_flag"), 7u) << "an underscore is part of a word";
    EXPECT_EQ(wordStart("C:\\\xD0\xAE\xD0\xBD\xD0\xB8"), 3u) << "Cyrillic letters are letters";
    EXPECT_EQ(WordStartBefore("", 0), 0u);

    History h;
    h.box->AddToMRU("C:\\Tools\\\xC3\xA4pfel.exe");
    EXPECT_TRUE(h.box->OnControlKey('A'));
    h.Press("C");
    h.Press(":");
    h.Press("\\");
    h.Press("T");
    EXPECT_EQ(h.Shown(), "C:\\Tools\\\xC3\xA4pfel.exe [4,18)");
    EXPECT_TRUE(h.box->OnControlKey(0x08));
    h.box->OnEditUpdate();  // the box announces the deletion as typing: nothing is completed again
    EXPECT_EQ(h.Shown(), "C:\\ [3,3)");
    EXPECT_TRUE(h.box->OnControlKey('A'));
    EXPECT_EQ(h.Shown(), "C:\\ [0,3)");
    h.combo.selStart = h.combo.selEnd = 2;  // the caret inside: what follows it stays
    EXPECT_TRUE(h.box->OnControlKey(0x08));
    EXPECT_EQ(h.Shown(), "\\ [0,0)");
    h.Press("C");
    EXPECT_EQ(h.Shown(), "C\\ [1,1)") << "typing goes on as before";
    EXPECT_FALSE(h.box->OnControlKey('Z')) << "undo is the edit field's own";
}

TEST(SearchRule, FindsAPrefixUnderTheSystemsRuleFromAfterTheStartAndWraps)
{
    const std::vector<std::string> items = {"notepad", "mspaint", "Notes", "write", "\xC3\x84rger.exe", "\xC4\xB1x"};
    const auto search = [&](const char* text, int start) { return SearchList(items, text, start, HostSameText); };
    EXPECT_EQ(search("NOT", -1), 0);
    EXPECT_EQ(search("not", 0), 2);
    EXPECT_EQ(search("not", 2), 0);
    EXPECT_EQ(search("write", 3), 3);
    EXPECT_EQ(search("paint", -1), -1);
    EXPECT_EQ(search("\xC3\xA4", -1), 4) << "\"\xC3\xA4\" finds \"\xC3\x84rger.exe\"";
    EXPECT_EQ(search("IX", -1), 5) << "as many characters of the item as the text has, whatever their bytes";
    EXPECT_EQ(search("\xC4\xB1x", -1), 5);
}
