// Costs of the decisions made on every keystroke and launch, measured with Google Benchmark.
#include "FakeCombo.h"

#include "framework/Trace.h"
#include "history/MRUComboBox.h"
#include "launcher/CommandText.h"
#include "MemoryProfileStore.h"

#include <benchmark/benchmark.h>

void Trace(const std::string&) {}

namespace {

// A full history of 99 program paths.
struct FullHistory {
    MemoryProfileStore store;
    FakeCombo combo;
    CMRUComboBox box{store};
    FullHistory()
    {
        combo.beginsWith = StartsWithAsciiNoCase;  // the real box's own search is none of Velquin's cost
        box.SetView(&combo);
        SetUpAsHistory(box, 99);
        for (int i = 0; i < 99; ++i)
            box.AddToMRU("C:\\Program Files\\Application " + std::to_string(i) + "\\app" + std::to_string(i) + ".exe");
    }
};

// One keystroke at the end of the typed text, then the completion.
void Keystroke(FullHistory& h, const std::string& typedBefore, char key)
{
    h.combo.edit = typedBefore;
    h.combo.selStart = h.combo.selEnd = static_cast<int>(typedBefore.size());
    h.box.OnKeyDown(static_cast<unsigned>(key));
    h.combo.Type(std::string(1, key));
    h.box.OnEditUpdate();
}

void BM_CompletionMatchingTheOldestEntry(benchmark::State& state)
{
    FullHistory h;
    for (auto _ : state) {
        Keystroke(h, "c:\\program files\\application ", '0');  // the oldest entry: the whole list is scanned
        benchmark::DoNotOptimize(h.combo.edit);
    }
}
BENCHMARK(BM_CompletionMatchingTheOldestEntry);

void BM_CompletionWithoutAMatch(benchmark::State& state)
{
    FullHistory h;
    for (auto _ : state) {
        Keystroke(h, "c:\\program files\\application 5", 'x');
        benchmark::DoNotOptimize(h.combo.edit);
    }
}
BENCHMARK(BM_CompletionWithoutAMatch);

void BM_SplitCommandText(benchmark::State& state)
{
    const FileSearch find = [](const std::string&, std::string*) { return false; };
    const std::string texts[] = {"notepad", "\"C:\\Program Files\\App\\app.exe\" -x -y",
                                 "notepad \"C:\\My Files\\a.txt\"", "C:\\Tools\\tool.exe /q"};
    for (auto _ : state) {
        for (const std::string& t : texts)
            benchmark::DoNotOptimize(SplitCommandText(t, t, find));
    }
}
BENCHMARK(BM_SplitCommandText);

void BM_ExaminedText(benchmark::State& state)
{
    const std::string text = "  \"C:\\Program Files\\Application 12\\app12.exe\" -x  ";
    for (auto _ : state)
        benchmark::DoNotOptimize(ExaminedText(text, true));
}
BENCHMARK(BM_ExaminedText);

void BM_HistoryAddWithSave(benchmark::State& state)
{
    FullHistory h;
    int n = 0;
    for (auto _ : state)
        h.box.AddToMRU("C:\\Tools\\tool" + std::to_string(n++ % 200) + ".exe");
}
BENCHMARK(BM_HistoryAddWithSave);

}  // namespace

BENCHMARK_MAIN();
