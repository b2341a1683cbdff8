#include "suggest/SuggestionModel.h"

#include "framework/Text.h"
#include "suggest/Ranking.h"

#include <algorithm>

namespace {

// The file a history entry's icon comes from: its quoted program, or the whole entry when it is one path.
std::string IconPathOf(const std::string& entry)
{
    if (entry.size() > 1 && entry[0] == '"') {
        const std::size_t end = entry.find('"', 1);
        return end == std::string::npos ? entry.substr(1) : entry.substr(1, end - 1);
    }
    return entry.find('\\') != std::string::npos && entry.find(' ') == std::string::npos ? entry : std::string();
}

}  // namespace

void SuggestionModel::UseHistory(const std::vector<std::string>& entries)
{
    if (entries == historyTexts_)
        return;
    historyTexts_ = entries;
    // Entries already folded keep their fold: one system call per new entry.
    Candidates folded;
    for (const std::string& entry : entries) {
        const auto known = std::find_if(history_.begin(), history_.end(),
                                        [&](const IndexedCandidate& c) { return c.item.command == entry; });
        folded.push_back(known != history_.end() ? *known
                                                 : Indexed({entry, entry, IconPathOf(entry), Source::History}, fold_));
    }
    history_ = std::move(folded);
}

void SuggestionModel::Type(const std::string& typed)
{
    typed_ = typed;
    query_ = FolderQueryOf(typed, expand_);
    filled_.reset();
    cursor_.Reset(lines_.size(), lines_.size());
}

void SuggestionModel::Close()
{
    typed_.clear();  // an index or a listing that comes later does not bring the list back
    query_.reset();
    listing_ = FolderListing();
    folderAsked_.clear();  // an answer still to come is about a visit that has ended
    cursor_.Reset(lines_.size(), lines_.size());
}

std::optional<std::string> SuggestionModel::FolderToList()
{
    // A folder is listed once per visit.
    if (!query_ || (query_->folder != listing_.folder && query_->folder != folderAsked_)) {
        listing_ = FolderListing();
        folderAsked_.clear();
    }
    if (query_ && query_->folder != listing_.folder && query_->folder != folderAsked_)
        return query_->folder;
    return std::nullopt;
}

bool SuggestionModel::UseListing(FolderListing listing)
{
    if (folderAsked_.empty() || listing.folder != folderAsked_)
        return false;
    listing_ = std::move(listing);
    return true;
}

void SuggestionModel::Derive(std::int64_t now)
{
    lines_.clear();
    if (index_ && !typed_.empty()) {
        const std::string folded = fold_(typed_);
        Candidates listed;
        // Until a folder's entries come, the other sources are offered.
        if (query_ && query_->folder == listing_.folder)
            listed = OfferEntries(listing_, *query_, fold_, kMaxSuggestions);
        else if (!query_)
            listed = OfferVariables(index_->variables, folded);
        // A keyword being typed: the aliases it begins, each putting its keyword and a blank into the box.
        if (aliases_ && typed_.find(' ') == std::string::npos) {
            for (const Alias& alias : aliases_->All()) {
                const std::string keyword = fold_(alias.keyword);
                if (keyword.size() > folded.size() && keyword.compare(0, folded.size(), folded) == 0)
                    listed.push_back(Indexed({alias.keyword, alias.keyword + " ", std::string(), Source::Alias}, fold_));
            }
        }
        lines_ = RankSuggestions(folded, history_, *index_, listed, learning_.BoostsFor(folded, now), &hidden_,
                                 &IndexMatchesFor(folded), windows_);
        // A text that uses an alias: what it stands for comes first; the line leaves the text as typed.
        if (const std::optional<AliasUse> use = aliases_ ? aliases_->UseIn(Trim(typed_)) : std::nullopt) {
            lines_.insert(lines_.begin(), {use->keyword + ": " + use->expansion, typed_, std::string(), Source::Alias});
            if (lines_.size() > kMaxSuggestions)
                lines_.pop_back();
        }
    }
    // Which window each Window line is: the windows in their order, each taken once.
    lineWindows_.assign(lines_.size(), 0);
    std::vector<bool> taken(windows_.size(), false);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        for (std::size_t w = 0; lines_[i].source == Source::Window && w < windows_.size(); ++w) {
            if (!taken[w] && windows_[w].line.item.name == lines_[i].name) {
                taken[w] = true;
                lineWindows_[i] = windows_[w].handle;
                break;
            }
        }
    }
    cursor_.Reset(lines_.size(), lines_.size());
}

std::optional<SuggestionModel::SwitchTarget> SuggestionModel::SwitchTargetFor(const std::string& boxText) const
{
    if (switchTarget_ && switchTarget_->first == boxText)
        return switchTarget_->second;
    return std::nullopt;
}

const IndexMatches& SuggestionModel::IndexMatchesFor(const std::string& folded)
{
    constexpr std::size_t kMostKept = 32;
    if (matchedIndex_ != index_) {
        matched_.clear();
        matchedIndex_ = index_;
    }
    while (!matched_.empty() && folded.compare(0, matched_.back().typed.size(), matched_.back().typed) != 0)
        matched_.pop_back();
    if (!matched_.empty() && matched_.back().typed == folded)
        return matched_.back().lines;
    IndexMatches lines = MatchIndex(*index_, folded, matched_.empty() ? nullptr : &matched_.back().lines);
    if (matched_.size() == kMostKept)
        matched_.erase(matched_.begin());
    matched_.push_back({folded, std::move(lines)});
    return matched_.back().lines;
}

const Candidate& SuggestionModel::Fill(int line)
{
    cursor_.Highlight(line);
    const Candidate& chosen = lines_[static_cast<std::size_t>(line)];
    filled_ = FilledLine{typed_, chosen.command};
    const std::uintptr_t window = lineWindows_[static_cast<std::size_t>(line)];
    if (window) {
        for (const WindowLine& known : windows_) {
            if (known.handle == window)
                switchTarget_ = {{chosen.command, {window, known.program}}};
        }
    }
    return chosen;
}

void SuggestionModel::Unfill()
{
    cursor_.Highlight(ListCursor::kInBox);
    filled_.reset();
}

std::string SuggestionModel::TypedAtLaunch(const std::string& boxText, int selectionStart, int selectionEnd) const
{
    if (filled_ && filled_->command == boxText)
        return filled_->typed;
    return TypedPart(boxText, selectionStart, selectionEnd);
}

std::vector<std::string> SuggestionModel::RemoveHighlighted(std::int64_t now)
{
    std::vector<std::string> forgotten;
    const int at = cursor_.Highlight();
    if (at < 0 || static_cast<std::size_t>(at) >= lines_.size())
        return forgotten;
    const Candidate removed = lines_[static_cast<std::size_t>(at)];
    const std::string command = fold_(removed.command);
    const bool forget = removed.source == Source::History || learning_.Knows(command);
    if (forget) {
        for (const IndexedCandidate& entry : history_) {
            if (entry.foldedCommand == command)
                forgotten.push_back(entry.item.command);
        }
        // An index or a listing that comes before the next key must not bring the entries back.
        history_.erase(std::remove_if(history_.begin(), history_.end(),
                                      [&](const IndexedCandidate& entry) { return entry.foldedCommand == command; }),
                       history_.end());
        historyTexts_.clear();
        for (const IndexedCandidate& entry : history_)
            historyTexts_.push_back(entry.item.command);
        learning_.Forget(command);
    } else {
        hidden_.Hide(removed.command);
    }
    Derive(now);
    // A forgotten line that another source still offers keeps the highlight; otherwise the line that took its
    // place has it, or the box when none is left.
    int highlight = std::min(at, static_cast<int>(lines_.size()) - 1);
    if (forget) {
        const auto same = std::find_if(lines_.begin(), lines_.end(),
                                       [&](const Candidate& line) { return line.name == removed.name; });
        if (same != lines_.end())
            highlight = static_cast<int>(same - lines_.begin());
    }
    cursor_.Highlight(highlight);
    return forgotten;
}
