// Costs of the decisions made on every keystroke and launch, measured with Google Benchmark.
#include "FakeCombo.h"

#include "framework/Trace.h"
#include "history/MRUComboBox.h"
#include "MemoryProfileStore.h"
#include "suggest/Learning.h"
#include "suggest/Ranking.h"
#include "suggest/SourceText.h"
#include "text/CommandText.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

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

// The host's stand-in for the system's fold: the cost of the engine around it is what is measured here.
std::string FoldAscii(const std::string& text)
{
    std::string folded = text;
    for (char& c : folded)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return folded;
}

// 20,000 names: 2,000 shortcuts, 300 App Paths names, 3,000 programs on PATH and the rest synthetic, plus a
// full history of 99 entries.
struct FullIndex {
    SuggestIndex index;
    Candidates history;
    FullIndex()
    {
        const char* words[] = {"Visual", "Studio", "Code", "Paint", "Office", "Word", "Excel", "Media",
                               "Player", "Tools", "Setup", "Update", "Manager", "Viewer", "Editor", "Git"};
        const auto name = [&](int i) {
            return std::string(words[i % 16]) + " " + words[(i / 16) % 16] + " " + std::to_string(i);
        };
        IndexSources sources;
        for (int i = 0; i < 2000; ++i)
            sources.shortcuts.push_back(
                {"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\" + name(i) + ".lnk", "", false, false});
        for (int i = 0; i < 300; ++i)
            sources.appPaths.push_back({"app" + std::to_string(i) + ".exe", "C:\\Apps\\app.exe"});
        for (int i = 0; i < 17700; ++i)
            sources.pathFiles.push_back("C:\\Windows\\System32\\tool" + std::to_string(i) + (i < 3000 ? ".exe" : ".dll"));
        for (int i = 0; i < 14700; ++i)
            sources.shortcuts.push_back({"C:\\Synthetic\\" + name(i + 5000) + " x.lnk", "", false, false});
        sources.pathExt = ".COM;.EXE;.BAT;.CMD";
        index = BuildIndex(sources, FoldAscii);
        for (int i = 0; i < 99; ++i) {
            const std::string entry = "C:\\Program Files\\Application " + std::to_string(i) + "\\app.exe";
            history.push_back(Indexed({entry, entry, "", Source::History}, FoldAscii));
        }
    }
};

void BM_Suggest20000Names(benchmark::State& state)
{
    static const FullIndex full;
    const char* typed[] = {"v", "vis", "vsc", "code 1", "tool29", "zzz"};
    std::size_t at = 0;
    for (auto _ : state) {
        const std::string folded = FoldAscii(typed[at++ % 6]);
        benchmark::DoNotOptimize(RankSuggestions(folded, full.history, full.index, {}));
    }
    state.counters["names"] = static_cast<double>(full.index.items.size());
}
BENCHMARK(BM_Suggest20000Names)->Unit(benchmark::kMicrosecond);

// The same with the most the learning keeps: 300 records, each typed as a beginning of the texts typed here
// ("v", "vi", "vis"...), so that every one is weighed at every key.
void BM_Suggest20000NamesWith300Records(benchmark::State& state)
{
    static const FullIndex full;
    static MemoryProfileStore store;
    static Learning learning(store, FoldAscii);
    static bool recorded = false;
    const std::int64_t now = 1800000000;
    for (int i = 0; !recorded && i < 300; ++i)
        learning.Record(std::string("visual studio code 12").substr(0, 1 + i % 8), full.index.items[i * 50].item.command,
                        now - i * 600);
    recorded = true;
    const char* typed[] = {"v", "vis", "vsc", "code 1", "tool29", "zzz"};
    std::size_t at = 0;
    for (auto _ : state) {
        const std::string folded = FoldAscii(typed[at++ % 6]);
        benchmark::DoNotOptimize(
            RankSuggestions(folded, full.history, full.index, {}, learning.BoostsFor(folded, now)));
    }
    state.counters["records"] = static_cast<double>(learning.Records().size());
}
BENCHMARK(BM_Suggest20000NamesWith300Records)->Unit(benchmark::kMicrosecond);

// A folder of this many entries, made once.
std::string FolderOf(std::size_t entries)
{
    const auto folder = std::filesystem::temp_directory_path() / ("velquin-bench-" + std::to_string(entries));
    if (!std::filesystem::exists(folder / "done")) {
        std::filesystem::create_directories(folder);
        for (std::size_t i = 0; i < entries; ++i)
            std::ofstream(folder / ("file " + std::to_string(i) + ".txt"));
        std::ofstream(folder / "done");
    }
    return folder.string() + "/";
}

FolderListing ListOnHost(const std::string& folder)
{
    FolderListing listing{folder, {}};
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        listing.entries.push_back({name, FoldAscii(name), entry.is_directory()});
    }
    SortListing(listing);
    return listing;
}

// Offering a folder's entries for a typed prefix: listed on the visit's first key, then from the listing.
void BM_FolderEntries(benchmark::State& state)
{
    const std::string folder = FolderOf(static_cast<std::size_t>(state.range(0)));
    const bool listEachTime = state.range(1) != 0;
    const FolderQuery query{folder, "C:\\Folder\\", "file 12"};
    FolderListing listing = ListOnHost(folder);
    for (auto _ : state) {
        if (listEachTime)
            listing = ListOnHost(folder);
        const Candidates listed = OfferEntries(listing, query, FoldAscii, kMaxSuggestions);
        benchmark::DoNotOptimize(RankSuggestions(FoldAscii("C:\\Folder\\file 12"), {}, SuggestIndex(), listed));
    }
}
BENCHMARK(BM_FolderEntries)->ArgNames({"entries", "listed"})->Args({10000, 1})->Args({10000, 0})
    ->Args({100000, 1})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
