#include "suggest/Learning.h"

#include "framework/Text.h"
#include "settings/ProfileLayout.h"

#include <algorithm>
#include <cmath>

namespace {

using profile::kHiddenName;
using profile::kRecordName;
constexpr const char* kLearningSection = profile::kLearning;
constexpr const char* kHiddenSection = profile::kHidden;

constexpr double kDailyDecay = 0.975;
constexpr double kLeastScore = 0.1;
constexpr double kHighestScore = 10;  // s = 0.9 s + 1 tends to it and never passes it
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr long long kScoreDecimals = 10000;  // four decimals are kept

// Digits only, a few of them: no sign, no blank, nothing the library's conversions would throw for.
long long DigitsValue(std::string_view digits)
{
    long long value = 0;
    for (char digit : digits)
        value = value * 10 + (digit - '0');
    return value;
}

// The number n of a value named "<prefix>n": digits only, no leading zero; 0 for any other name.
int SlotOf(const std::string& name, const char* prefix)
{
    if (!StartsWithAsciiNoCase(name, prefix))
        return 0;
    const std::string digits = name.substr(std::string(prefix).size());
    if (digits.empty() || digits.size() > 6 || digits[0] == '0' ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    return static_cast<int>(DigitsValue(digits));
}

std::string SlotName(const char* prefix, int slot)
{
    return prefix + std::to_string(slot);
}

// The values of a section named "<prefix>n", with their numbers.
std::vector<std::pair<std::string, int>> Slots(const ProfileStore& profile, const char* section, const char* prefix)
{
    std::vector<std::pair<std::string, int>> slots;
    for (const std::string& name : profile.ValueNames(section)) {
        if (const int slot = SlotOf(name, prefix))
            slots.emplace_back(name, slot);
    }
    return slots;
}

// Those values' texts with their numbers, read in one go.
std::vector<std::pair<int, std::string>> ReadSlots(const ProfileStore& profile, const char* section,
                                                   const char* prefix)
{
    const std::vector<std::pair<std::string, int>> slots = Slots(profile, section, prefix);
    std::vector<std::string> names;
    for (const auto& slot : slots)
        names.push_back(slot.first);
    std::vector<std::string> texts = profile.ReadStrings(section, names);
    std::vector<std::pair<int, std::string>> read;
    for (std::size_t i = 0; i < slots.size(); ++i)
        read.emplace_back(slots[i].second, std::move(texts[i]));
    return read;
}

bool AllDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Scores are positive: rounding is adding a half.
long long Scaled(double score)
{
    return static_cast<long long>(score * kScoreDecimals + 0.5);
}

// A decimal number in the profile's form, without the locale's say in it.
std::string ScoreText(double score)
{
    const long long scaled = Scaled(score);
    std::string text = std::to_string(scaled / kScoreDecimals);
    std::string decimals = std::to_string(kScoreDecimals + scaled % kScoreDecimals).substr(1);
    while (!decimals.empty() && decimals.back() == '0')
        decimals.pop_back();
    return decimals.empty() ? text : text + "." + decimals;
}

std::optional<double> ParseScore(std::string_view text)
{
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view decimals = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (!AllDigits(whole) || whole.size() > 2 || (point != std::string_view::npos && !AllDigits(decimals)))
        return std::nullopt;
    double score = static_cast<double>(DigitsValue(whole));
    double place = 1;
    for (char digit : decimals.substr(0, 8))
        score += (digit - '0') * (place /= 10);
    if (score <= 0 || score > kHighestScore)
        return std::nullopt;
    return score;
}

double Rounded(double score)
{
    return static_cast<double>(Scaled(score)) / kScoreDecimals;
}

// The first kMaxLearnedTyped UTF-16 units, a character never split.
std::string_view CutTyped(const std::string& folded)
{
    return std::string_view(folded).substr(0, Utf8Offset(folded, kMaxLearnedTyped));
}

}  // namespace

std::string LearnedTyped(const std::string& typed, FoldText fold)
{
    const std::string folded = fold(Trim(typed));
    return Trim(std::string(CutTyped(folded)));
}

double Decayed(const LearnedPick& pick, std::int64_t now)
{
    const double days = static_cast<double>(std::max<std::int64_t>(now - pick.time, 0)) / kSecondsPerDay;
    return pick.score * std::pow(kDailyDecay, days);
}

std::string FormatPick(const LearnedPick& pick)
{
    return pick.typed + "\t" + pick.command + "\t" + ScoreText(pick.score) + "\t" + std::to_string(pick.time);
}

std::optional<LearnedPick> ParsePick(const std::string& text)
{
    std::vector<std::string_view> fields;
    const std::string_view whole = text;
    for (std::size_t start = 0;;) {
        const std::size_t tab = whole.find('\t', start);
        fields.push_back(whole.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos)
            break;
        start = tab + 1;
    }
    if (fields.size() != 4 || fields[0].empty() || fields[1].empty() || Utf16Length(std::string(fields[0])) >
        kMaxLearnedTyped || !AllDigits(fields[3]) || fields[3].size() > 18)
        return std::nullopt;
    const std::optional<double> score = ParseScore(fields[2]);
    if (!score)
        return std::nullopt;
    return LearnedPick{std::string(fields[0]), std::string(fields[1]), *score, DigitsValue(fields[3])};
}

std::vector<std::pair<int, LearnedPick>> StoredPicks(const ProfileStore& profile)
{
    std::vector<std::pair<int, LearnedPick>> picks;
    for (const auto& [slot, text] : ReadSlots(profile, kLearningSection, kRecordName)) {
        if (std::optional<LearnedPick> pick = ParsePick(text))
            picks.emplace_back(slot, std::move(*pick));
    }
    return picks;
}

void Learning::Load()
{
    if (loaded_)
        return;
    loaded_ = true;
    for (auto& [slot, stored] : StoredPicks(profile_)) {
        LearnedPick pick = std::move(stored);
        // A hand-edited record is folded as a recorded one would be.
        pick.typed = LearnedTyped(pick.typed, fold_);
        pick.command = fold_(pick.command);
        const auto same = std::find_if(records_.begin(), records_.end(), [&pick](const Stored& kept) {
            return kept.pick.typed == pick.typed && kept.pick.command == pick.command;
        });
        if (same == records_.end())
            records_.insert(PlaceOf(slot), {std::move(pick), slot});
        else if (same->pick.score < pick.score)
            same->pick = std::move(pick);  // the other value is left for a new record to write over
    }
}

std::vector<Learning::Stored>::iterator Learning::PlaceOf(int slot)
{
    return std::find_if(records_.begin(), records_.end(), [slot](const Stored& stored) { return stored.slot >= slot; });
}

int Learning::FreeSlot() const
{
    int slot = 1;
    for (const Stored& stored : records_) {
        if (stored.slot != slot)
            break;
        ++slot;
    }
    return slot;
}

void Learning::Drop(std::size_t at)
{
    profile_.DeleteValue(kLearningSection, SlotName(kRecordName, records_[at].slot));
    records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(at));
}

void Learning::Record(const std::string& typed, const std::string& command, std::int64_t now)
{
    Load();
    LearnedPick pick{LearnedTyped(typed, fold_), fold_(Trim(command)), 1, now};
    if (pick.typed.empty() || pick.command.empty())
        return;
    auto same = std::find_if(records_.begin(), records_.end(), [&](const Stored& stored) {
        return stored.pick.typed == pick.typed && stored.pick.command == pick.command;
    });
    if (same != records_.end())
        pick.score = Rounded(0.9 * Decayed(same->pick, now) + 1);
    // A text that could not be read back whole (a tab in it, longer than a value holds) is not learned.
    const std::string text = FormatPick(pick);
    if (!ParsePick(text) || Utf16Length(text) > kMaxProfileText)
        return;
    const int slot = same != records_.end() ? same->slot : FreeSlot();
    if (!profile_.WriteString(kLearningSection, SlotName(kRecordName, slot), text))
        return;
    if (same != records_.end())
        same->pick = std::move(pick);
    else
        records_.insert(PlaceOf(slot), {std::move(pick), slot});

    // Records that faded go; then, beyond the cap, the weakest (the oldest of equals). The pick just made is
    // never the one to go: it would leave the user's newest choice unlearned.
    for (std::size_t i = records_.size(); i-- > 0;) {
        if (records_[i].slot != slot && Decayed(records_[i].pick, now) < kLeastScore)
            Drop(i);
    }
    while (records_.size() > kMaxLearnedPicks) {
        std::size_t weakest = records_.size();
        for (std::size_t i = 0; i < records_.size(); ++i) {
            if (records_[i].slot == slot)
                continue;
            if (weakest == records_.size())
                weakest = i;
            const double score = Decayed(records_[i].pick, now), least = Decayed(records_[weakest].pick, now);
            if (score < least || (score == least && records_[i].pick.time < records_[weakest].pick.time))
                weakest = i;
        }
        Drop(weakest);
    }
}

Boosts Learning::BoostsFor(const std::string& foldedTyped, std::int64_t now) const
{
    Boosts boosts;
    const std::string_view typed = CutTyped(foldedTyped);
    if (typed.empty())
        return boosts;
    for (const Stored& stored : records_) {
        const LearnedPick& pick = stored.pick;
        if (std::string_view(pick.typed).substr(0, typed.size()) != typed)
            continue;
        const double score = Decayed(pick, now);
        if (score < kLeastScore)
            continue;
        const double boost = pick.typed.size() == typed.size() ? 2 * score : score;
        const auto same = std::find_if(boosts.begin(), boosts.end(),
                                       [&](const auto& known) { return known.first == pick.command; });
        if (same == boosts.end())
            boosts.emplace_back(pick.command, boost);
        else
            same->second = std::max(same->second, boost);
    }
    return boosts;
}

double BoostOf(const Boosts& boosts, std::string_view foldedCommand)
{
    for (const auto& [command, boost] : boosts) {
        if (command == foldedCommand)
            return boost;
    }
    return 0;
}

bool Learning::Knows(std::string_view foldedCommand) const
{
    return std::any_of(records_.begin(), records_.end(),
                       [&](const Stored& stored) { return stored.pick.command == foldedCommand; });
}

void Learning::Forget(std::string_view foldedCommand)
{
    Load();
    for (std::size_t i = records_.size(); i-- > 0;) {
        if (records_[i].pick.command == foldedCommand)
            Drop(i);
    }
}

void Learning::Clear()
{
    // Damaged values go too: nothing of the learning is left behind.
    const ProfileBatch batch(profile_);
    for (const auto& slot : Slots(profile_, kLearningSection, kRecordName))
        profile_.DeleteValue(kLearningSection, slot.first);
    records_.clear();
    loaded_ = true;
}

void Learning::Reread()
{
    records_.clear();
    loaded_ = false;
}

std::vector<LearnedPick> Learning::Records() const
{
    std::vector<LearnedPick> picks;
    for (const Stored& stored : records_)
        picks.push_back(stored.pick);
    return picks;
}

void HiddenLines::Load()
{
    if (loaded_)
        return;
    loaded_ = true;
    for (const auto& [slot, command] : ReadSlots(profile_, kHiddenSection, kHiddenName)) {
        slots_ = std::max(slots_, slot);
        const std::string folded = fold_(Trim(command));
        if (!folded.empty() && !Has(folded))
            commands_.insert(std::lower_bound(commands_.begin(), commands_.end(), folded), folded);
    }
}

bool HiddenLines::Has(std::string_view foldedCommand) const
{
    const auto found = std::lower_bound(commands_.begin(), commands_.end(), foldedCommand,
                                        [](const std::string& a, std::string_view b) { return a < b; });
    return found != commands_.end() && *found == foldedCommand;
}

void HiddenLines::Hide(const std::string& command)
{
    Load();
    const std::string folded = fold_(Trim(command));
    if (folded.empty() || Has(folded))
        return;
    if (profile_.WriteString(kHiddenSection, SlotName(kHiddenName, slots_ + 1), folded)) {
        ++slots_;
        commands_.insert(std::lower_bound(commands_.begin(), commands_.end(), folded), folded);
    }
}

void HiddenLines::ShowAll()
{
    const ProfileBatch batch(profile_);
    for (const auto& slot : Slots(profile_, kHiddenSection, kHiddenName))
        profile_.DeleteValue(kHiddenSection, slot.first);
    commands_.clear();
    slots_ = 0;
    loaded_ = true;
}

void HiddenLines::Reread()
{
    commands_.clear();
    slots_ = 0;
    loaded_ = false;
}
