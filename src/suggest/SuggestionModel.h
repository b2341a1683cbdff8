// The suggestion list apart from any window and thread: what was typed, what each source offers, what the
// user's picks taught, and which line is highlighted. The lines shown are derived from these in one place,
// Derive; everything else only changes what it reads.
#pragma once

#include "suggest/Candidate.h"
#include "suggest/Learning.h"
#include "suggest/Ranking.h"
#include "suggest/SourceText.h"
#include "suggest/SuggestIndex.h"
#include "suggest/SuggestList.h"
#include "settings/AliasTable.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class SuggestionModel {
public:
    SuggestionModel(FoldText fold, ExpandText expand, Learning& learning, HiddenLines& hidden)
        : fold_(fold), expand_(expand), learning_(learning), hidden_(hidden)
    {
    }

    // The learning and the hidden lines, read from the profile the first time.
    void LoadPicks()
    {
        learning_.Load();
        hidden_.Load();
    }

    // The user's aliases: a text that uses one is offered its expansion first, and a keyword being typed the
    // aliases it begins.
    void UseAliases(AliasTable& aliases) { aliases_ = &aliases; }

    // Other programs' windows as they are now.
    void UseWindows(const std::vector<WindowFacts>& windows) { windows_ = WindowLines(windows, fold_); }
    // The window a Window line put into the box, while the box's text is still that line's title.
    struct SwitchTarget {
        std::uintptr_t handle;
        std::string program;
    };
    std::optional<SwitchTarget> SwitchTargetFor(const std::string& boxText) const;

    // The sources. Without an index (off), nothing is offered; an empty one offers the history alone.
    void UseIndex(std::shared_ptr<const SuggestIndex> index) { index_ = std::move(index); }
    bool HasIndex() const { return index_ != nullptr; }
    // The history newest first; each entry is folded once, when it first comes.
    void UseHistory(const std::vector<std::string>& entries);

    // The user typed: the box's text without the completed rest. The highlight goes back to the box.
    void Type(const std::string& typed);
    const std::string& Typed() const { return typed_; }
    // The list closed: what was typed, and the visit of a folder, are over.
    void Close();

    // The folder the typed text asks for, when it is neither listed nor asked for yet; a visit that ended is
    // forgotten on the way.
    std::optional<std::string> FolderToList();
    void FolderAsked(const std::string& folder) { folderAsked_ = folder; }
    // A listing: false when it answers a visit that has ended.
    bool UseListing(FolderListing listing);

    // The lines, from everything above, best first; the highlight goes back to the box.
    void Derive(std::int64_t now);
    const std::vector<Candidate>& Lines() const { return lines_; }

    ListAction OnKey(ListKey key) { return cursor_.OnKey(key); }
    int Highlight() const { return cursor_.Highlight(); }
    // A line fills the box; the typed text it replaced is kept for the learning.
    const Candidate& Fill(int line);
    // Back in the box, which shows what was typed.
    void Unfill();
    // What the user had typed when the box's text was launched: the text a line replaced, when the box still
    // shows that line's command; else the typed part of the text, the completion's rest left out.
    std::string TypedAtLaunch(const std::string& boxText, int selectionStart, int selectionEnd) const;

    // Shift+Delete on the highlighted line. A history line, or one the learning knows, is forgotten: its
    // history entries (returned, for the history to drop) and every record of its command; it stays while
    // another source offers it, highlighted. Any other line is hidden for good. The lines are derived again.
    std::vector<std::string> RemoveHighlighted(std::int64_t now);

private:
    FoldText fold_;
    ExpandText expand_;
    Learning& learning_;
    HiddenLines& hidden_;
    AliasTable* aliases_ = nullptr;

    // What was typed.
    std::string typed_;
    std::optional<FolderQuery> query_;  // when it is a path whose folder is listed
    // The sources.
    std::shared_ptr<const SuggestIndex> index_;
    std::vector<std::string> historyTexts_;
    Candidates history_;
    std::vector<WindowLine> windows_;
    FolderListing listing_;     // the folder of this visit, once listed
    std::string folderAsked_;   // its listing on its way
    // The index's matches for the texts typed on the way to this one, shortest first: a longer text is
    // matched against the lines its beginning matched, and Backspace finds its text's matches here.
    struct Matched {
        std::string typed;  // folded
        IndexMatches lines;
    };
    const IndexMatches& IndexMatchesFor(const std::string& folded);
    std::vector<Matched> matched_;
    std::shared_ptr<const SuggestIndex> matchedIndex_;
    // What is shown, and where the user is in it.
    std::vector<Candidate> lines_;
    ListCursor cursor_;
    struct FilledLine {
        std::string typed;
        std::string command;
    };
    std::optional<FilledLine> filled_;
    std::vector<std::uintptr_t> lineWindows_;  // each shown line's window, 0 for none
    std::optional<std::pair<std::string, SwitchTarget>> switchTarget_;  // the title and its window
};
