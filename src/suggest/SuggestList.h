// The suggestion list apart from its window: where it opens, how tall its lines are, and what its keys do.
#pragma once

#include "framework/Geometry.h"

#include <cstddef>
#include <string>

// Directly under the box and as wide, or above it when the work area has no room below; on the side with
// more room, cut to fit, when neither has enough.
ScreenRect PlaceSuggestionList(const ScreenRect& box, const ScreenRect& workArea, long long height);

// A line holds a small icon and a line of the box's font, with a little room around them.
int SuggestionLineHeight(int dpi, int fontHeight);
// The small icons' size at these dots per inch.
int SuggestionIconSize(int dpi);

// What the user typed: the box's text before the rest the completion selected after it (a selection that
// runs to the end). Positions in UTF-16 units, as the box counts them.
std::string TypedPart(const std::string& text, int selectionStart, int selectionEnd);

// The keys the box gives the list while it shows.
enum class ListKey { Up, Down, PageUp, PageDown, Escape, ShiftDelete };

enum class ListAction {
    NotTaken,  // the key does what it does without the list
    Nothing,   // taken, nothing changes
    Fill,      // the highlighted line's command goes into the box
    Restore,   // back in the box: it shows what was typed
    Close,
    Remove,  // the highlighted line is forgotten or hidden
};

// Which line is highlighted: none (the box) or one of the lines.
class ListCursor {
public:
    static constexpr int kInBox = -1;

    // New lines: the highlight goes back to the box.
    void Reset(std::size_t count, std::size_t page);
    int Highlight() const { return highlight_; }
    void Highlight(int line) { highlight_ = line; }
    ListAction OnKey(ListKey key);

private:
    ListAction MoveTo(int line);

    int count_ = 0;
    int page_ = 1;
    int highlight_ = kInBox;
};
