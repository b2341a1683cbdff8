#include "commands/ProfileTransfer.h"

#include "framework/IniProfileStore.h"
#include "history/HistoryState.h"
#include "history/RecentFileList.h"
#include "settings/ProfileLayout.h"
#include "settings/SettingsRecord.h"
#include "suggest/Learning.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

using namespace profile;

namespace {

constexpr int kLongestHistory = 99;

// The sections that leave with the profile, in the file's order.
const char* const kCarried[] = {kSettings, kHistory, kAliases, kHidden, kLearning};

std::string Counted(std::size_t count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// A sentence of many parts, put together in one place rather than at every `+`.
std::string Joined(std::initializer_list<std::string_view> parts)
{
    std::string joined;
    for (std::string_view part : parts)
        joined += part;
    return joined;
}

const IniSection* SectionOf(const IniDocument& file, const char* name)
{
    for (const IniSection& section : file) {
        if (EqualsAsciiNoCase(section.name, name))
            return &section;
    }
    return nullptr;
}

std::vector<std::string> HistoryOf(const ProfileStore& profile)
{
    CRecentFileList list(1, kHistory, kHistoryEntry, kLongestHistory, 0);
    list.ReadList(profile);
    std::vector<std::string> entries;
    for (int i = 0; i < list.GetSize(); ++i) {
        if (!list[i].empty())
            entries.push_back(list[i]);
    }
    return entries;
}

std::vector<LearnedPick> PicksOf(const ProfileStore& profile)
{
    std::vector<LearnedPick> picks;
    for (auto& [slot, pick] : StoredPicks(profile))
        picks.push_back(std::move(pick));
    return picks;
}

// The section's values go and the file's take their place; a file without the section leaves it alone.
int Replace(ProfileStore& profile, const IniDocument& file, const ProfileStore& imported, const char* section)
{
    if (!SectionOf(file, section))
        return 0;
    for (const std::string& name : profile.ValueNames(section))
        profile.DeleteValue(section, name);
    int written = 0;
    for (const auto& [name, text] : imported.ReadSection(section))
        written += profile.WriteString(section, name, text) ? 1 : 0;
    return written;
}

int ImportSettings(ProfileStore& profile, const ProfileStore& imported)
{
    int written = 0;
    for (const auto& [name, text] : imported.ReadSection(kSettings)) {
        if (EqualsAsciiNoCase(name, kVelquinPath))
            continue;  // names the program on the machine it came from
        const std::optional<int> number = ParseInt(text);
        const bool done = IsTextSetting(name) ? profile.WriteString(kSettings, name, text)
                          : number            ? profile.WriteInt(kSettings, name, *number)
                                              : false;
        written += done ? 1 : 0;
    }
    return written;
}

void MergeHistory(ProfileStore& profile, const ProfileStore& imported, SameTextRule same, ImportCounts& counts)
{
    const int capacity = HistoryCapacity(profile.ReadInt(kSettings, kMaxHistory, 30));
    std::vector<std::string> merged = HistoryOf(profile);
    const std::size_t own = merged.size();
    for (const std::string& entry : HistoryOf(imported)) {
        if (std::none_of(merged.begin(), merged.end(), [&](const std::string& kept) { return same(kept, entry); }))
            merged.push_back(entry);
    }
    merged.resize(std::min(merged.size(), static_cast<std::size_t>(capacity)));

    CRecentFileList list(1, kHistory, kHistoryEntry, capacity, 0);
    for (auto entry = merged.rbegin(); entry != merged.rend(); ++entry)
        list.Add(*entry);
    list.WriteList(profile);
    counts.history = static_cast<int>(merged.size());
    counts.historyAdded = static_cast<int>(merged.size() - std::min(merged.size(), own));
    if (!merged.empty())
        WriteHistoryState(profile, kHistoryNotCleared);  // the box opens with the newest entry again
}

void MergeLearning(ProfileStore& profile, const ProfileStore& imported, std::int64_t now, ImportCounts& counts)
{
    std::vector<LearnedPick> picks = PicksOf(profile);
    const std::size_t own = picks.size();
    for (LearnedPick& pick : PicksOf(imported)) {
        const auto same = std::find_if(picks.begin(), picks.end(), [&](const LearnedPick& kept) {
            return kept.typed == pick.typed && kept.command == pick.command;
        });
        if (same == picks.end())
            picks.push_back(std::move(pick));
        else if (pick.score > same->score)
            *same = std::move(pick);
    }
    // The weakest go, as the learning lets them go: of equals, the oldest pick.
    std::vector<std::pair<double, std::int64_t>> strength;
    for (const LearnedPick& pick : picks)
        strength.emplace_back(Decayed(pick, now), pick.time);
    while (picks.size() > kMaxLearnedPicks) {
        const auto weakest = std::min_element(strength.begin(), strength.end());
        picks.erase(picks.begin() + (weakest - strength.begin()));
        strength.erase(weakest);
    }

    for (const std::string& name : profile.ValueNames(kLearning))
        profile.DeleteValue(kLearning, name);
    for (std::size_t i = 0; i < picks.size(); ++i)
        profile.WriteString(kLearning, kRecordName + std::to_string(i + 1), FormatPick(picks[i]));
    counts.learning = static_cast<int>(picks.size());
    counts.learningAdded = static_cast<int>(picks.size() > own ? picks.size() - own : 0);
}

}  // namespace

IniDocument ExportProfile(const ProfileStore& profile)
{
    IniDocument file;
    for (const char* name : kCarried) {
        IniSection section{name, {}};
        for (auto& [entry, text] : profile.ReadSection(name))
            section.values.push_back({std::move(entry), std::move(text)});
        file.push_back(std::move(section));
    }
    return file;
}

std::optional<IniProblem> CheckImport(const IniDocument& file)
{
    for (const IniSection& section : file) {
        const bool settings = EqualsAsciiNoCase(section.name, kSettings);
        for (const IniValue& value : section.values) {
            if (settings && !IsTextSetting(value.name) && !ParseInt(value.text))
                return IniProblem{value.line, "the setting " + value.name + " is no number"};
            // The profile could not keep it, and the value it replaces would be gone.
            if (Utf16Length(value.text) > kMaxProfileText)
                return IniProblem{value.line, "the value " + value.name + " is longer than 259 characters"};
        }
    }
    return std::nullopt;
}

ImportCounts ImportProfile(ProfileStore& profile, const IniDocument& file, SameTextRule same, std::int64_t now)
{
    // The file as a store: a section or name that came twice is one.
    const IniProfileStore imported(file, same, nullptr);
    ProfileBatch batch(profile);
    ImportCounts counts;
    counts.settings = ImportSettings(profile, imported);
    counts.aliases = Replace(profile, file, imported, kAliases);
    counts.hidden = Replace(profile, file, imported, kHidden);
    MergeHistory(profile, imported, same, counts);
    MergeLearning(profile, imported, now, counts);
    counts.saved = batch.Commit();
    return counts;
}

TransferOutcome ExportProfileTo(const ProfileStore& profile, const std::string& path, const TransferFiles& files)
{
    const IniDocument exported = ExportProfile(profile);
    std::string why;
    if (!files.write(path, WriteIni(exported), why))
        return {kTransferNoFile, Joined({"Velquin could not write ", path, ": ", why})};
    const auto count = [&](const char* section, const char* one, const char* many) {
        return Counted(SectionOf(exported, section)->values.size(), one, many);
    };
    return {kTransferDone, Joined({"Velquin saved its profile to ", path, ": ", count(kSettings, "setting", "settings"),
                                   ", ", count(kHistory, "history entry", "history entries"), ", ",
                                   count(kAliases, "alias", "aliases"), ", ",
                                   count(kHidden, "hidden line", "hidden lines"), " and ",
                                   count(kLearning, "learnt pick", "learnt picks"), "."})};
}

TransferOutcome ImportProfileFrom(ProfileStore& profile, const std::string& path, const TransferFiles& files,
                                  SameTextRule same, std::int64_t now)
{
    const std::string nothing = " Nothing was changed.";
    std::string why;
    const std::optional<std::string> bytes = files.read(path, why);
    if (!bytes)
        return {kTransferNoFile, Joined({"Velquin could not read ", path, ": ", why, nothing})};
    IniProblem problem;
    std::optional<IniDocument> file = ReadIniStrictly(*bytes, problem);
    if (file) {
        if (const std::optional<IniProblem> wrong = CheckImport(*file))
            problem = *wrong;
        else if (file->empty())
            problem = {1, "it holds no section"};
    }
    if (problem.line > 0)
        return {kTransferMalformed, Joined({path, " is no Velquin profile: line ", std::to_string(problem.line), ": ",
                                            problem.what, ".", nothing})};

    const ImportCounts counts = ImportProfile(profile, *file, same, now);
    if (!counts.saved)
        return {kTransferNotSaved, Joined({"Velquin read ", path, " but could not save it in its profile."})};
    const auto count = [](int number, const char* one, const char* many) {
        return Counted(static_cast<std::size_t>(number), one, many);
    };
    return {kTransferDone,
            Joined({"Velquin took ", count(counts.settings, "setting", "settings"), ", ",
                    count(counts.aliases, "alias", "aliases"), " and ",
                    count(counts.hidden, "hidden line", "hidden lines"), " from ", path, ". The history now holds ",
                    count(counts.history, "entry", "entries"), " (", std::to_string(counts.historyAdded),
                    " new), the learning ", count(counts.learning, "pick", "picks"), " (",
                    std::to_string(counts.learningAdded), " new)."})};
}
