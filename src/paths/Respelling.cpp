#include "paths/Respelling.h"

#include "framework/Text.h"

namespace {

constexpr std::size_t kMaxKeyName = 255;  // UTF-16 units, as the registry counts

// The marked parked copy in place of whatever has the name. Neither a copy nor a deletion is one step, so the
// parked copy keeps its mark, which says that it alone is whole, until the new key is whole and unmarked.
bool MoveParked(EntryKeys& keys, const std::string& parked, const std::string& name)
{
    if (!keys.DeleteTree(name) || !keys.CopyTree(parked, name) || !keys.Mark(name, false) ||
        !keys.Mark(parked, false))
        return false;
    keys.DeleteTree(parked);  // unmarked, beside a whole entry: a leftover whatever is left of it
    return true;
}

}  // namespace

std::string ParkedEntryName(const std::string& name)
{
    return "Velquin respelling " + name;
}

bool RespellEntry(EntryKeys& keys, const std::string& from, const std::string& to)
{
    const std::string parked = ParkedEntryName(from);
    const bool canPark = Utf16Length(parked) <= kMaxKeyName;
    // An unmarked parked copy beside the entry is a leftover of it; otherwise it is the entry.
    if (canPark && keys.Exists(parked)) {
        const bool leftover = keys.Exists(from) && !keys.Marked(parked);
        if (leftover ? !keys.DeleteTree(parked) : !(keys.Mark(parked, true) && MoveParked(keys, parked, from)))
            return false;
    }
    if (keys.Rename(from, to))
        return true;
    if (!canPark || !keys.Exists(from))
        return false;
    if (!keys.CopyTree(from, parked) || !keys.Mark(parked, true)) {
        keys.DeleteTree(parked);  // unmarked: the entry was only read
        return false;
    }
    if (MoveParked(keys, parked, to))
        return true;
    MoveParked(keys, parked, from);
    return false;
}
