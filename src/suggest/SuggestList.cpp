#include "suggest/SuggestList.h"

#include "framework/Text.h"

#include <algorithm>

ScreenRect PlaceSuggestionList(const ScreenRect& box, const ScreenRect& workArea, long long height)
{
    const long long below = workArea.bottom - box.bottom;
    const long long above = box.top - workArea.top;
    if (height <= below || below >= above)
        return {box.left, box.bottom, box.right, box.bottom + std::min(height, below)};
    return {box.left, box.top - std::min(height, above), box.right, box.top};
}

std::string TypedPart(const std::string& text, int selectionStart, int selectionEnd)
{
    const bool completed = selectionStart >= 0 && selectionStart < selectionEnd &&
                           static_cast<std::size_t>(selectionEnd) == Utf16Length(text);
    return completed ? text.substr(0, Utf8Offset(text, static_cast<std::size_t>(selectionStart))) : text;
}

int SuggestionIconSize(int dpi)
{
    return (16 * dpi + 48) / 96;
}

int SuggestionLineHeight(int dpi, int fontHeight)
{
    return std::max(fontHeight, SuggestionIconSize(dpi)) + (4 * dpi + 48) / 96;
}

void ListCursor::Reset(std::size_t count, std::size_t page)
{
    count_ = static_cast<int>(count);
    page_ = std::max(1, static_cast<int>(page));
    highlight_ = kInBox;
}

ListAction ListCursor::MoveTo(int line)
{
    if (line == highlight_)
        return ListAction::Nothing;
    highlight_ = line;
    return line == kInBox ? ListAction::Restore : ListAction::Fill;
}

ListAction ListCursor::OnKey(ListKey key)
{
    const int last = count_ - 1;
    switch (key) {
    case ListKey::Down: return MoveTo(std::min(highlight_ + 1, last));
    case ListKey::Up: return MoveTo(std::max(highlight_ - 1, kInBox));
    case ListKey::PageDown: return MoveTo(std::min(highlight_ == kInBox ? page_ - 1 : highlight_ + page_, last));
    case ListKey::PageUp: return MoveTo(highlight_ <= 0 ? kInBox : std::max(highlight_ - page_, 0));
    case ListKey::Escape: return ListAction::Close;
    case ListKey::ShiftDelete:
        return highlight_ != kInBox ? ListAction::Remove : ListAction::NotTaken;
    }
    return ListAction::NotTaken;
}
