// What the list learns from the user's picks, and the lines the user asked never to see again. Both are
// kept in the profile and written at once, as the history is: a killed process loses nothing picked.
#pragma once

#include "framework/ProfileStore.h"
#include "suggest/Candidate.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One pick remembered: for this typed text, this command.
struct LearnedPick {
    std::string typed;    // folded, trimmed, cut to kMaxLearnedTyped UTF-16 units
    std::string command;  // folded
    double score = 0;     // as of the last pick
    std::int64_t time = 0;  // of the last pick, Unix seconds
};

inline constexpr std::size_t kMaxLearnedTyped = 32;
inline constexpr std::size_t kMaxLearnedPicks = 300;

// The score as of `now`: it loses 2.5 % a day since the last pick. A clock set back decays nothing.
double Decayed(const LearnedPick& pick, std::int64_t now);

// "typed<TAB>command<TAB>score<TAB>time", the profile's form; nothing for a damaged text.
std::string FormatPick(const LearnedPick& pick);
std::optional<LearnedPick> ParsePick(const std::string& text);

// The profile's records with their numbers ("Record #n"), as stored; a damaged one is skipped.
std::vector<std::pair<int, LearnedPick>> StoredPicks(const ProfileStore& profile);

// How much each command is lifted for one typed text: the folded command, its boost; each command once.
using Boosts = std::vector<std::pair<std::string_view, double>>;
// The command's boost, 0 for none.
double BoostOf(const Boosts& boosts, std::string_view foldedCommand);

class Learning {
public:
    Learning(ProfileStore& profile, FoldText fold) : profile_(profile), fold_(fold) {}

    // The records are read the first time they are needed; a damaged one is skipped.
    void Load();
    // A successful launch: what the user had typed (as typed) and what was launched. A pick whose record could
    // not be stored whole is not learned.
    void Record(const std::string& typed, const std::string& command, std::int64_t now);
    // For the folded typed text: each command with a record whose typed text begins with it, and the
    // largest of their decayed scores, doubled for a record typed exactly so. The views last until the next
    // change.
    Boosts BoostsFor(const std::string& foldedTyped, std::int64_t now) const;
    bool Knows(std::string_view foldedCommand) const;
    // Every record of the command goes.
    void Forget(std::string_view foldedCommand);
    void Clear();
    // The profile changed under it: read again when next needed.
    void Reread();

    // For the tests: the records as kept, in the order of their values.
    std::vector<LearnedPick> Records() const;

private:
    struct Stored {
        LearnedPick pick;
        int slot;  // its value: "Record #slot"
    };
    // Where a record of this slot goes, and whether one is there already.
    std::vector<Stored>::iterator PlaceOf(int slot);
    int FreeSlot() const;
    void Drop(std::size_t at);

    ProfileStore& profile_;
    FoldText fold_;
    bool loaded_ = false;
    std::vector<Stored> records_;  // in the order of their slots
};

// Lines hidden by the user, by their folded commands.
class HiddenLines {
public:
    HiddenLines(ProfileStore& profile, FoldText fold) : profile_(profile), fold_(fold) {}

    void Load();
    bool Any() const { return !commands_.empty(); }
    bool Has(std::string_view foldedCommand) const;
    void Hide(const std::string& command);
    // Every hidden line is offered again.
    void ShowAll();
    void Reread();

private:
    ProfileStore& profile_;
    FoldText fold_;
    bool loaded_ = false;
    std::vector<std::string> commands_;  // in their order, for a binary search
    int slots_ = 0;  // the highest "Hidden #n" in use
};

// The typed text as a record keeps it: folded, trimmed and cut to kMaxLearnedTyped units.
std::string LearnedTyped(const std::string& typed, FoldText fold);
