#include "paths/Respelling.h"

#include "framework/Text.h"

namespace {

constexpr std::size_t kMaxKeyName = 255;  // UTF-16 units, as the registry counts

// The parked copy back under the entry's old name, merged into what is left there. The parked copy goes only
// once that worked; otherwise a half-made entry goes instead, so the next respelling finds the parked copy
// alone and puts it back.
bool PutBack(EntryKeys& keys, const std::string& parked, const std::string& name)
{
    if (keys.CopyTree(parked, name)) {
        keys.DeleteTree(parked);
        return true;
    }
    keys.DeleteTree(name);
    return false;
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
    // A parked copy beside the entry is a leftover of it; without the entry, it is the entry.
    if (canPark && keys.Exists(parked) &&
        !(keys.Exists(from) ? keys.DeleteTree(parked) : PutBack(keys, parked, from)))
        return false;
    if (keys.Rename(from, to))
        return true;
    if (!canPark || !keys.Exists(from))
        return false;
    if (!keys.CopyTree(from, parked)) {
        keys.DeleteTree(parked);  // the half-made copy; the entry was only read
        return false;
    }
    if (keys.DeleteTree(from)) {
        if (keys.CopyTree(parked, to)) {
            keys.DeleteTree(parked);
            return true;
        }
        keys.DeleteTree(to);  // the half-made copy: the old spelling is gone, so nothing else has this name
    }
    PutBack(keys, parked, from);
    return false;
}
