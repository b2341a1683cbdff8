#include "FailingAllocator.h"
#include "FakeCombo.h"
#include "TraceCapture.h"

#include "history/MRUComboBox.h"
#include "history/RecentFileList.h"
#include "settings/MemoryProfileStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <new>

namespace {

const char* const kSection = "Velquin MRU";

std::vector<std::string> Entries(CRecentFileList& list)
{
    std::vector<std::string> entries;
    for (int i = 0; i < list.GetSize(); ++i)
        entries.push_back(list[i]);
    return entries;
}

std::vector<std::string> SortedNames(const ProfileStore& store)
{
    std::vector<std::string> names = store.ValueNames(kSection);
    std::sort(names.begin(), names.end());
    return names;
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
};

}  // namespace

TEST(RecentFileList, AddsAtTheTopDropsTheOldestAndRemovesByPosition)
{
    CRecentFileList list(1, kSection, "File #%d", 3, 30);
    EXPECT_EQ(list.GetSize(), 3);
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"", "", ""}));

    for (const char* text : {"a", "b", "c", "d"})
        list.Add(text);
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"d", "c", "b"}));

    list.Remove(0);
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"c", "b", ""}));
    list.Remove(7);  // out of range: nothing
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"c", "b", ""}));
    EXPECT_EQ(list.EntryName(0), "File #1");
    EXPECT_EQ(list.EntryName(9), "File #10");
}

TEST(RecentFileList, WritesOneValuePerUsedSlotAndReadsThemBack)
{
    MemoryProfileStore store;
    store.WriteString(kSection, "File #7", "stale");
    store.WriteString(kSection, "File #2", "stale too");

    CRecentFileList list(1, kSection, "File #%d", 5, 30);
    list.Add("write");
    list.Add("");  // a gap, as the history editor leaves them
    list.Add("notepad");
    list.WriteList(store);
    EXPECT_EQ(SortedNames(store), (std::vector<std::string>{"File #1", "File #3"}));
    EXPECT_EQ(store.ReadString(kSection, "File #1"), "notepad");
    EXPECT_EQ(store.ReadString(kSection, "File #3"), "write");

    CRecentFileList read(1, kSection, "File #%d", 5, 30);
    read.ReadList(store);
    EXPECT_EQ(Entries(read), (std::vector<std::string>{"notepad", "", "write", "", ""}));
}

TEST(MRUComboBox, KeepsTheNewestFirstWithinItsCapacityInBoxAndProfile)
{
    History h(2);
    for (const char* text : {"X", "Y", "Z"})
        h.box->AddToMRU(text);

    EXPECT_EQ(h.combo.items, (std::vector<std::string>{"Z", "Y"}));
    EXPECT_EQ(SortedNames(h.store), (std::vector<std::string>{"File #1", "File #2"}));
    EXPECT_EQ(h.store.ReadString(kSection, "File #1"), "Z");
    EXPECT_EQ(h.store.ReadString(kSection, "File #2"), "Y");
}

TEST(MRUComboBox, ShrinkingKeepsTheNewestAndGrowingKeepsAll)
{
    History h(10);
    for (int i = 1; i <= 10; ++i)
        h.box->AddToMRU("entry " + std::to_string(i));

    EXPECT_EQ(h.box->SetMaxMRUSize(5), 10);
    EXPECT_EQ(h.box->GetMaxMRUSize(), 5);
    h.box->SaveMRU();
    EXPECT_EQ(SortedNames(h.store),
              (std::vector<std::string>{"File #1", "File #2", "File #3", "File #4", "File #5"}));
    EXPECT_EQ(h.store.ReadString(kSection, "File #1"), "entry 10");
    EXPECT_EQ(h.store.ReadString(kSection, "File #5"), "entry 6");

    EXPECT_EQ(h.box->SetMaxMRUSize(8), 5);
    EXPECT_EQ(h.box->GetMRUList()->GetSize(), 8);
    EXPECT_EQ((*h.box->GetMRUList())[4], "entry 6");
    EXPECT_EQ((*h.box->GetMRUList())[5], "");
}

TEST(MRUComboBox, RefusesBadSizesAndFormatsWithTheirTraceLines)
{
    History h(3);
    h.box->AddToMRU("kept");
    TraceCapture trace;

    EXPECT_EQ(h.box->SetMaxMRUSize(0), -1);
    EXPECT_EQ(h.box->SetMaxMRUSize(-4), -1);
    EXPECT_EQ(h.box->GetMaxMRUSize(), 3);
    EXPECT_EQ((*h.box->GetMRUList())[0], "kept");

    EXPECT_FALSE(h.box->SetMRUValueFormat("File #"));
    EXPECT_EQ(trace.Lines(),
              (std::vector<std::string>{
                  "CMRUComboBox -- SetMRUValueFormat() returning FALSE - argument didn't contain \"%d\"\n"}));
    h.box->SaveMRU();  // still the old format
    EXPECT_EQ(h.store.ReadString(kSection, "File #1"), "kept");
}

TEST(MRUComboBox, TheHistorySetUpTakesZeroForThirty)
{
    History h(0);
    EXPECT_EQ(h.box->GetMaxMRUSize(), 30);
    EXPECT_EQ(h.box->GetMRUList()->EntryName(0), "File #1");
}

TEST(MRUComboBox, FirstSizeOnABoxWithoutAListReturnsZero)
{
    MemoryProfileStore store;
    CMRUComboBox box(store);
    box.SetMRURegKey(kSection);
    box.SetMRUValueFormat("File #%d");
    EXPECT_EQ(box.GetMaxMRUSize(), 10);
    EXPECT_EQ(box.SetMaxMRUSize(30), 0);
    EXPECT_EQ(box.SetMaxMRUSize(20), 30);
}

TEST(MRUComboBox, WithoutParametersNothingIsMadeOrWrittenAndEveryFaultIsTraced)
{
    MemoryProfileStore store;
    TraceCapture trace;
    {
        CMRUComboBox box(store);
        EXPECT_FALSE(box.SaveMRU());
        EXPECT_FALSE(box.LoadMRU());
        EXPECT_FALSE(box.AddToMRU("notepad"));
        EXPECT_EQ(box.SetMaxMRUSize(5), -1);
        EXPECT_EQ(box.GetMRUList(), nullptr);
    }
    const std::vector<std::string> expected = {
        "CMRUComboBox -- SaveMRU failed - no CRecentFileList created.\n",
        "CMRUComboBox -- VerifyMRUParams() - registry key name not set.\n",
        "CMRUComboBox -- VerifyMRUParams() - registry value format not set.\n",
        "CMRUComboBox -- AllocNewMRU() returning FALSE - MRU list params invalid or not set.\n",
        "CMRUComboBox -- AllocNewMRU() failed in LoadMRU().\n",
        "CMRUComboBox -- VerifyMRUParams() - registry key name not set.\n",
        "CMRUComboBox -- VerifyMRUParams() - registry value format not set.\n",
        "CMRUComboBox -- AllocNewMRU() returning FALSE - MRU list params invalid or not set.\n",
        "CMRUComboBox -- AllocNewMRU() failed in AddToMRU().\n",
        "CMRUComboBox -- VerifyMRUParams() - registry key name not set.\n",
        "CMRUComboBox -- VerifyMRUParams() - registry value format not set.\n",
        "CMRUComboBox -- AllocNewMRU() returning FALSE - MRU list params invalid or not set.\n",
        "CMRUComboBox -- SetMaxMRUSize() failed - couldn't allocate new CRecentFileList.\n",
        // the destructor
        "CMRUComboBox -- SaveMRU failed - no CRecentFileList created.\n",
        "CMRUComboBox -- Warning - SaveMRU() in destructor failed. MRU was not saved.\n",
    };
    EXPECT_EQ(trace.Lines(), expected);
    EXPECT_EQ(store.ValueCount(), 0u);
}

TEST(MRUComboBox, AFormatWithoutItsNumberIsReportedByVerify)
{
    MemoryProfileStore store;
    CMRUComboBox box(store);
    box.SetMRURegKey(kSection);
    TraceCapture trace;
    EXPECT_FALSE(box.VerifyMRUParams());
    EXPECT_EQ(trace.Lines(), (std::vector<std::string>{
                                 "CMRUComboBox -- VerifyMRUParams() - registry value format not set.\n"}));
}

TEST(MRUComboBox, ChangedParametersTakeEffectAtTheNextSave)
{
    History h;
    h.box->AddToMRU("notepad");
    h.box->SetSaveAfterAdd(false);
    h.box->SetMRURegKey("Other MRU");
    h.box->AddToMRU("write");
    EXPECT_EQ((*h.box->GetMRUList())[0], "write") << "adding does not rebuild the list";
    EXPECT_TRUE(h.box->SaveMRU());
    EXPECT_EQ(h.store.ReadString(kSection, "File #1"), "notepad") << "the old section is left as it was";
    EXPECT_EQ(h.store.ReadString("Other MRU", "File #1"), "write");
    EXPECT_EQ(h.store.ReadString("Other MRU", "File #2"), "notepad");
}

TEST(MRUComboBox, RefreshKeepsTheTypedTextAndSkipsEmptySlots)
{
    History h;
    h.store.WriteString(kSection, "File #1", "notepad");
    h.store.WriteString(kSection, "File #3", "write");
    h.box->LoadMRU();
    h.combo.edit = "typing no";
    h.box->RefreshCtrl();
    EXPECT_EQ(h.combo.items, (std::vector<std::string>{"notepad", "write"}));
    EXPECT_EQ(h.combo.edit, "typing no");

    TraceCapture trace;
    h.combo.refuseItemAt = 1;
    h.box->RefreshCtrl();
    EXPECT_EQ(trace.Lines(), (std::vector<std::string>{
                                 "CMRUComboBox -- Warning - RefreshCtrl() couldn't add MRU item 2 to combobox.\n"}));
}

TEST(MRUComboBox, ClearEmptiesTheListAndTheNextSaveTheProfile)
{
    History h;
    h.box->AddToMRU("notepad");
    h.box->AddToMRU("write");
    h.box->ClearMRU();
    EXPECT_EQ(h.store.ValueNames(kSection).size(), 2u) << "clearing alone writes nothing";
    h.box->SaveMRU();
    EXPECT_TRUE(h.store.ValueNames(kSection).empty());
}

TEST(MRUComboBox, AnEmptyTextIsNotAdded)
{
    History h(2);
    h.box->AddToMRU("first");
    h.box->AddToMRU("second");
    EXPECT_FALSE(h.box->AddToMRU(""));
    EXPECT_EQ(h.combo.items, (std::vector<std::string>{"second", "first"}));
}

TEST(MRUComboBox, TheHistoryIsSavedWhenTheBoxGoes)
{
    History h;
    h.box->SetSaveAfterAdd(false);
    h.box->AddToMRU("mspaint");
    EXPECT_FALSE(h.store.Contains(kSection, "File #1"));
    h.box.reset();
    EXPECT_EQ(h.store.ReadString(kSection, "File #1"), "mspaint");
}

TEST(MRUComboBox, OutOfMemoryIsTracedAndPassedOn)
{
    History h;
    h.box->AddToMRU("notepad");
    TraceCapture trace;
    {
        AllocationFailure failing(1000);  // the list of 500 slots cannot be made
        EXPECT_THROW(h.box->SetMaxMRUSize(500), std::bad_alloc);
    }
    EXPECT_EQ(h.box->GetMRUList(), nullptr) << "the box is left without a list";
    const std::string longName(300, 'k');
    const std::string longFormat = "File %d" + std::string(300, 'f');
    {
        AllocationFailure failing(200);  // the long texts cannot be stored; the trace lines can
        EXPECT_THROW(h.box->SetMRURegKey(longName), std::bad_alloc);
        EXPECT_THROW(h.box->SetMRUValueFormat(longFormat), std::bad_alloc);
    }
    EXPECT_EQ(trace.Lines(), (std::vector<std::string>{
                                 "CMRUComboBox -- Memory exception in AllocNewMRU()!\n",
                                 "CMRUComboBox -- Memory exception in CMRUComboBox::SetMRURegKey()!\n",
                                 "CMRUComboBox -- Memory exception in CMRUComboBox::SetMRUValueFormat()!\n",
                             }));
}

namespace {

// The history notepad (newest) and mspaint, and typing into the box.
struct Completion {
    History h;
    Completion()
    {
        h.box->AddToMRU("mspaint");
        h.box->AddToMRU("notepad");
    }
    void Press(char c)
    {
        h.box->OnKeyDown(static_cast<unsigned>(std::toupper(static_cast<unsigned char>(c))));
        h.combo.Type(c);
        h.box->OnEditUpdate();
    }
    void Delete(unsigned key)  // Backspace or Delete on the selection
    {
        h.box->OnKeyDown(key);
        h.combo.edit.erase(static_cast<size_t>(h.combo.selStart),
                           static_cast<size_t>(h.combo.selEnd - h.combo.selStart));
        h.combo.selEnd = h.combo.selStart;
        h.box->OnEditUpdate();
    }
    std::string Shown() const
    {
        return h.combo.edit + " [" + std::to_string(h.combo.selStart) + "," + std::to_string(h.combo.selEnd) + ")";
    }
};

}  // namespace

TEST(Completion, CompletesFromTheNewestMatchingEntryWithTheRestSelected)
{
    Completion c;
    c.Press('n');
    EXPECT_EQ(c.Shown(), "notepad [1,7)");
    c.Press('o');
    EXPECT_EQ(c.Shown(), "notepad [2,7)");

    Completion upper;
    upper.Press('N');
    upper.Press('O');
    EXPECT_EQ(upper.Shown(), "notepad [2,7)") << "the entry's own letter case";

    Completion whole;
    for (char ch : std::string("mspaint"))
        whole.Press(ch);
    EXPECT_EQ(whole.Shown(), "mspaint [7,7)");
}

TEST(Completion, DeletingNeverCompletes)
{
    for (unsigned key : {0x08u, 0x2Eu}) {
        Completion c;
        c.Press('n');
        c.Delete(key);  // removes the selected rest
        EXPECT_EQ(c.Shown(), "n [1,1)") << key;
    }
}

TEST(Completion, NoMatchLeavesTheTypedTextAndCaret)
{
    Completion c;
    c.Press('x');
    EXPECT_EQ(c.Shown(), "x [1,1)");
}

TEST(Completion, TypingInsideTheTextPutsTheSelectionBack)
{
    Completion c;
    c.h.combo.edit = "ntepad";
    c.h.combo.selStart = c.h.combo.selEnd = 1;
    c.Press('o');  // "notepad" again, a prefix of the entry
    EXPECT_EQ(c.Shown(), "notepad [2,2)");
}

TEST(Completion, NothingCompletesBeforeAKeyOrInAnEmptyBox)
{
    Completion c;
    c.h.combo.edit = "n";  // pasted with the mouse, no key pressed yet
    c.h.combo.selStart = c.h.combo.selEnd = 1;
    c.h.box->OnEditUpdate();
    EXPECT_EQ(c.Shown(), "n [1,1)");

    c.h.box->OnKeyDown('X');  // a cut of everything: no entry pops up
    c.h.combo.edit.clear();
    c.h.combo.selStart = c.h.combo.selEnd = 0;
    c.h.box->OnEditUpdate();
    EXPECT_EQ(c.Shown(), " [0,0)");
}

TEST(RecentFileList, LeavesOtherValuesAloneAndIgnoresOverlongOnes)
{
    MemoryProfileStore store;
    store.WriteString(kSection, "Notes", "someone else's");
    store.WriteString(kSection, "File #x", "not a number");
    store.WriteString(kSection, "File #3", "stale");
    CRecentFileList list(1, kSection, "File #%d", 3, 30);
    list.Add("notepad");
    list.WriteList(store);
    EXPECT_EQ(SortedNames(store), (std::vector<std::string>{"File #1", "File #x", "Notes"}));

    EXPECT_TRUE(list.IsEntryName("file #12"));
    EXPECT_FALSE(list.IsEntryName("File #"));
    EXPECT_FALSE(list.IsEntryName("File #1a"));
}

TEST(RecentFileList, ARefusedWriteLeavesNoStaleCopyBehindAndTheOthersInPlace)
{
    MemoryProfileStore store;
    store.WriteString(kSection, "File #1", "notepad");
    CRecentFileList list(1, kSection, "File #%d", 3, 30);
    list.Add("notepad");
    list.Add(std::string(260, 'x'));  // the store refuses it
    list.WriteList(store);
    EXPECT_EQ(SortedNames(store), (std::vector<std::string>{"File #2"}));
    EXPECT_EQ(store.ReadString(kSection, "File #2"), "notepad");
}

TEST(RecentFileList, AnOverlongValueReadsAsAnEmptySlot)
{
    // Only something outside Velquin can store a text no registry buffer of the list holds.
    struct Outside : MemoryProfileStore {
        std::string ReadString(const std::string& s, const std::string& e, const std::string& d) const override
        {
            return e == "File #2" ? std::string(300, 'x') : MemoryProfileStore::ReadString(s, e, d);
        }
    } store;
    store.WriteString(kSection, "File #1", "notepad");
    CRecentFileList list(1, kSection, "File #%d", 3, 30);
    list.ReadList(store);
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"notepad", "", ""}));
}
