// Sequences of history operations on an in-memory profile: the list keeps its shape whatever happens.
#include "FakeCombo.h"
#include "FuzzInput.h"

#include "framework/Text.h"
#include "history/MRUComboBox.h"
#include "MemoryProfileStore.h"

namespace {

void CheckShape(CMRUComboBox& box, const FakeCombo& combo)
{
    CRecentFileList* list = box.GetMRUList();
    if (!list)
        return;
    FUZZ_CHECK(list->GetSize() == box.GetMaxMRUSize());
    // The drop-down shows the used slots, in order, after a refresh.
    std::vector<std::string> used;
    for (int i = 0; i < list->GetSize(); ++i) {
        if (!(*list)[i].empty())
            used.push_back((*list)[i]);
    }
    FUZZ_CHECK(combo.items == used);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    MemoryProfileStore store;
    FakeCombo combo;
    CMRUComboBox box(store);
    box.SetView(&combo);
    SetUpAsHistory(box, input.Number(0, 12));

    while (!input.Empty()) {
        switch (input.Number(0, 7)) {
        case 0:
            box.AddToMRU(input.Text(12));
            break;
        case 1:
            if (CRecentFileList* list = box.GetMRUList())
                list->Remove(input.Number(-1, 14));
            break;
        case 2:
            box.SetMaxMRUSize(input.Number(-2, 14));
            break;
        case 3: {
            // A save and a load give back the same list.
            box.SaveMRU();
            std::vector<std::string> before;
            if (CRecentFileList* list = box.GetMRUList()) {
                for (int i = 0; i < list->GetSize(); ++i)
                    before.push_back((*list)[i]);
            }
            box.LoadMRU();
            if (CRecentFileList* list = box.GetMRUList()) {
                for (int i = 0; i < list->GetSize(); ++i)
                    FUZZ_CHECK((*list)[i] == before[static_cast<size_t>(i)]);
            }
            break;
        }
        case 4:
            box.ClearMRU();
            break;
        case 5:
            store.WriteString("Velquin MRU", "File #" + std::to_string(input.Number(0, 15)), input.Text(6));
            break;
        case 6:
            box.SetMRUValueFormat(input.Text(6));
            break;
        default:
            box.OnKeyDown(input.Byte());
            combo.Type(std::string(1, static_cast<char>(input.Number('a', 'e'))));
            box.OnEditUpdate();
            FUZZ_CHECK(combo.selStart <= combo.selEnd);
            FUZZ_CHECK(combo.selEnd <= static_cast<int>(Utf16Length(combo.edit)));
            break;
        }
        box.RefreshCtrl();
        CheckShape(box, combo);
    }
    return 0;
}
