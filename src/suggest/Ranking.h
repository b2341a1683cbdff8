// Which lines match the typed text, and in what order they are offered.
#pragma once

#include "suggest/Candidate.h"
#include "suggest/Learning.h"
#include "suggest/OpenWindows.h"
#include "suggest/SuggestIndex.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t kMaxSuggestions = 10;

// In the order they rank: the typed text begins the name, begins one of its words, is its words' initials
// ("vsc" for "Visual Studio Code"), or is a part of it.
enum class MatchKind : unsigned char { Prefix, WordPrefix, Initials, Part, None };

// Both texts folded.
MatchKind MatchName(const IndexedCandidate& line, std::string_view typed);

// The index's lines that match a folded typed text, and how, in the index's order. A text that begins with
// another matches only lines the other matched: given those, only they are looked at.
struct IndexMatch {
    std::uint32_t position;
    MatchKind kind;
};
using IndexMatches = std::vector<IndexMatch>;
IndexMatches MatchIndex(const SuggestIndex& index, std::string_view typed, const IndexMatches* narrowing = nullptr);

// What is offered for the folded typed text, best first and at most kMaxSuggestions lines:
// - history: its entries, newest first;
// - index: the Start menu, App Paths and PATH (empty before it is ready);
// - listed: a few entries of the typed folder, or variable names, already known to fit what was typed.
// Lines the learning lifts come first, the highest boost first; equals, and the lines without one, in the
// order of the kind of match, the source (history newest first), the name's length and the name. A boost
// brings in no line that does not match. A line's boost is its command's, or that of the line it shows as.
// One program is offered once: lines whose commands fold alike are one line, the better placed kept. A
// history entry that is another line's command shows that line's name and icon. Hidden lines are left out;
// history entries never are. The index's matches are looked for unless given (MatchIndex). A window is matched
// by its title and by its program's name, and each window is a line of its own; its boost is that of
// "window:" and its program.
std::vector<Candidate> RankSuggestions(const std::string& typed, const Candidates& history,
                                       const SuggestIndex& index, const Candidates& listed,
                                       const Boosts& boosts = {}, const HiddenLines* hidden = nullptr,
                                       const IndexMatches* indexMatches = nullptr,
                                       const std::vector<WindowLine>& windows = {});
