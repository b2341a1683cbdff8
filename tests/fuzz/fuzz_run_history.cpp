// The Run history import over any RunMRU contents: no empty or repeated entries reach the history.
#include "FakeLauncherWindow.h"
#include "FuzzInput.h"

#include "framework/Text.h"
#include "launcher/Launcher.h"
#include "MemoryProfileStore.h"

#include <map>

namespace {

class RunHistorySystem : public LaunchSystem {
public:
    std::map<std::string, std::string> values;
    bool FindFile(const std::string&, std::string*) override { return false; }
    bool IsOnNetwork(const std::string&) override { return false; }
    std::string ExpandReferences(const std::string& text) override { return text; }
    bool SameTextIgnoringCase(const std::string& a, const std::string& b) override { return EqualsNoCase(a, b); }
    std::string ResolveShortcut(const std::string&) override { return std::string(); }
    OpenResult Open(const OpenRequest&) override { return {42, 0}; }
    std::optional<std::string> ReadAppPathWorkingDirectory(const std::string&) override { return std::nullopt; }
    bool WriteAppPathEntry(const AppPathEntry&) override { return true; }
    std::string ReadShellFolder(const std::string&) override { return std::string(); }
    std::string SystemDirectory() override { return std::string(); }
    std::string WindowsDirectory() override { return std::string(); }
    std::string ProgramFolder() override { return std::string(); }
    std::optional<std::string> ReadRunHistoryValue(const std::string& name) override
    {
        auto found = values.find(name);
        if (found == values.end())
            return std::nullopt;
        return found->second;
    }
    void EndSession(unsigned) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    RunHistorySystem system;
    if (input.Byte() & 1)
        system.values["MRUList"] = input.Text(6);
    for (char name : std::string("abcdef")) {
        if (input.Byte() & 1)
            system.values[std::string(1, name)] = input.Text(10);
    }

    MemoryProfileStore store;
    FakeCombo combo;
    FakeWindow window(combo);
    CMRUComboBox history(store);
    history.SetView(&combo);
    SetUpAsHistory(history, 30);
    Launcher launcher(window, history, system, store);
    launcher.ImportRunHistory();
    launcher.ImportRunHistory();

    for (size_t i = 0; i < combo.items.size(); ++i) {
        FUZZ_CHECK(!combo.items[i].empty());
        for (size_t j = i + 1; j < combo.items.size(); ++j)
            FUZZ_CHECK(!EqualsNoCase(combo.items[i], combo.items[j]));
    }
    FUZZ_CHECK(window.messages.size() == 2);
    return 0;
}
