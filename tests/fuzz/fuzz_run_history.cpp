// The Run history import over any RunMRU contents: no empty or repeated entries reach the history.
#include "FakeLaunchSystem.h"
#include "FuzzInput.h"

#include "MemoryProfileStore.h"

#include "commands/MenuCommands.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    FakeSystem system;
    if (input.Byte() & 1)
        system.runHistory["MRUList"] = input.Text(6);
    for (char name : std::string("abcdef")) {
        if (input.Byte() & 1)
            system.runHistory[std::string(1, name)] = input.Text(10);
    }

    MemoryProfileStore store;
    FakeCombo combo;
    FakeWindow window(combo);
    CMRUComboBox history(store);
    history.SetView(&combo);
    SetUpAsHistory(history, 30);
    MenuCommands commands(window, history, system, store);
    commands.ImportRunHistory();
    commands.ImportRunHistory();

    for (size_t i = 0; i < combo.items.size(); ++i) {
        FUZZ_CHECK(!combo.items[i].empty());
        for (size_t j = i + 1; j < combo.items.size(); ++j)
            FUZZ_CHECK(!HostSameText(combo.items[i], combo.items[j]));
    }
    FUZZ_CHECK(window.messages.size() == 2);
    return 0;
}
