#include "suggest/Ranking.h"

#include <algorithm>
#include <functional>
#include <tuple>
#include <unordered_set>

namespace {

struct Match {
    double boost;
    MatchKind kind;
    Source source;
    unsigned order;                // a history entry's age
    const IndexedCandidate* line;  // its name decides the last two keys
    const IndexedCandidate* shown;
};

// The Apps folder's apps rank with the Start menu's shortcuts.
Source RankOf(Source source)
{
    return source == Source::App ? Source::StartMenu : source;
}

bool Better(const Match& a, const Match& b)
{
    if (a.boost != b.boost)
        return a.boost > b.boost;
    const Source aSource = RankOf(a.source), bSource = RankOf(b.source);
    return std::tie(a.kind, aSource, a.order, a.shown->length, a.shown->folded) <
           std::tie(b.kind, bSource, b.order, b.shown->length, b.shown->folded);
}

// Enough to fill the list after a few lines fall out as one program offered twice.
constexpr std::size_t kFirstSort = 4 * kMaxSuggestions;

// The boosts by line: the index's lines by position, the others by their commands.
class LineBoosts {
public:
    LineBoosts(const Boosts& boosts, const SuggestIndex& index) : boosts_(boosts), index_(index)
    {
        if (boosts.empty())
            return;
        byPosition_.resize(index.items.size());
        // Several commands may lead to one line (a program and its shortcut): the largest counts.
        for (const auto& [command, boost] : boosts) {
            const auto line = index.byCommand.find(std::string(command));
            if (line != index.byCommand.end())
                byPosition_[line->second] = std::max(byPosition_[line->second], boost);
        }
    }

    bool Any() const { return !boosts_.empty(); }
    double OfIndexLine(std::size_t position) const { return byPosition_[position]; }

    // Any line: one of the index's, a history entry or a listed entry.
    double Of(const IndexedCandidate& line) const
    {
        const std::less<const IndexedCandidate*> before;
        const IndexedCandidate* items = index_.items.data();
        if (!before(&line, items) && before(&line, items + index_.items.size()))
            return OfIndexLine(static_cast<std::size_t>(&line - items));
        return BoostOf(boosts_, line.foldedCommand);
    }

private:
    const Boosts& boosts_;
    const SuggestIndex& index_;
    std::vector<double> byPosition_;  // one per line of the index, while any line is lifted
};

}  // namespace

// Every indexed name is looked at for each key: a plain loop over the bytes, without a call into the C
// library for each name (the system's own search functions are slow to reach for texts this short).
MatchKind MatchName(const IndexedCandidate& line, std::string_view typed)
{
    const std::string_view name = line.folded;
    const std::size_t length = typed.size();
    if (length == 0 || length > name.size())
        return MatchKind::None;
    const auto matchesAt = [&](std::size_t at) {
        for (std::size_t i = 0; i < length; ++i) {
            if (name[at + i] != typed[i])
                return false;
        }
        return true;
    };
    bool part = false;
    for (std::size_t at = 0; at + length <= name.size(); ++at) {
        if (name[at] != typed[0] || !matchesAt(at))
            continue;
        if (at == 0)
            return MatchKind::Prefix;
        if (IsWordBreak(name[at - 1]))
            return MatchKind::WordPrefix;
        part = true;
    }
    if (std::string_view(line.initials).substr(0, length) == typed)
        return MatchKind::Initials;
    return part ? MatchKind::Part : MatchKind::None;
}

IndexMatches MatchIndex(const SuggestIndex& index, std::string_view typed, const IndexMatches* narrowing)
{
    IndexMatches matches;
    const auto look = [&](std::size_t position) {
        const MatchKind kind = MatchName(index.items[position], typed);
        if (kind != MatchKind::None)
            matches.push_back({static_cast<std::uint32_t>(position), kind});
    };
    if (narrowing) {
        for (const IndexMatch& match : *narrowing)
            look(match.position);
    } else {
        for (std::size_t position = 0; position < index.items.size(); ++position)
            look(position);
    }
    return matches;
}

std::vector<Candidate> RankSuggestions(const std::string& typed, const Candidates& history,
                                       const SuggestIndex& index, const Candidates& listed, const Boosts& boosts,
                                       const HiddenLines* hidden, const IndexMatches* indexMatches,
                                       const std::vector<WindowLine>& windows)
{
    std::vector<Candidate> lines;
    if (typed.empty())
        return lines;

    const LineBoosts boost(boosts, index);
    const auto isHidden = [&](const IndexedCandidate& line) { return hidden && hidden->Has(line.foldedCommand); };
    std::vector<Match> matches;
    // A history entry that is another line's command is shown as that line, unless the user hid it.
    const auto sameCommand = [&](const IndexedCandidate& entry) -> const IndexedCandidate* {
        const auto same = index.byCommand.find(entry.foldedCommand);
        if (same != index.byCommand.end() && !isHidden(index.items[same->second]))
            return &index.items[same->second];
        for (const IndexedCandidate& line : listed) {
            if (line.foldedCommand == entry.foldedCommand && !isHidden(line))
                return &line;
        }
        return &entry;
    };
    for (std::size_t age = 0; age < history.size(); ++age) {
        const IndexedCandidate& entry = history[age];
        const IndexedCandidate* shown = sameCommand(entry);
        const MatchKind kind = std::min(MatchName(entry, typed), MatchName(*shown, typed));
        if (kind != MatchKind::None) {
            const double lift = boost.Any() ? std::max(boost.Of(entry), boost.Of(*shown)) : 0;
            matches.push_back({lift, kind, Source::History, static_cast<unsigned>(age), &entry, shown});
        }
    }
    const IndexMatches scanned = indexMatches ? IndexMatches() : MatchIndex(index, typed);
    for (const IndexMatch& match : indexMatches ? *indexMatches : scanned) {
        const IndexedCandidate& line = index.items[match.position];
        const double lift = boost.Any() ? boost.OfIndexLine(match.position) : 0;
        matches.push_back({lift, match.kind, line.item.source, 0, &line, &line});
    }
    for (const IndexedCandidate& line : listed)
        matches.push_back({boost.Any() ? boost.Of(line) : 0, MatchKind::Prefix, line.item.source, 0, &line, &line});
    for (const WindowLine& window : windows) {
        MatchKind kind = MatchName(window.line, typed);
        if (window.foldedProgram.compare(0, typed.size(), typed) == 0 && window.foldedProgram.size() >= typed.size())
            kind = MatchKind::Prefix;
        if (kind != MatchKind::None)
            matches.push_back({boost.Any() ? BoostOf(boosts, window.learnedCommand) : 0, kind, Source::Window, 0,
                               &window.line, &window.line});
    }

    // Most texts match far more lines than are shown: only the best are put in order.
    std::size_t sorted = std::min(kFirstSort, matches.size());
    std::partial_sort(matches.begin(), matches.begin() + static_cast<std::ptrdiff_t>(sorted), matches.end(), Better);
    std::unordered_set<std::string_view> offered;
    for (std::size_t i = 0; i < matches.size() && lines.size() < kMaxSuggestions; ++i) {
        if (i == sorted) {  // many lines were one program: the rest in order too
            std::sort(matches.begin() + static_cast<std::ptrdiff_t>(i), matches.end(), Better);
            sorted = matches.size();
        }
        const Match& match = matches[i];
        if (match.source != Source::History && isHidden(*match.line))
            continue;
        // A history entry shown as another line stands for that line; two windows of one title are two lines.
        if (match.source != Source::Window && !offered.insert(match.shown->foldedCommand).second)
            continue;
        Candidate line = match.line->item;
        if (match.shown != match.line) {
            line.name = match.shown->item.name;
            line.iconPath = match.shown->item.iconPath;
            line.iconKind = match.shown->item.iconKind;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}
