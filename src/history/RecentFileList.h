// A most-recently-used list of texts: a fixed number of slots, the newest in slot 0, kept in one
// section of the profile with one value per used slot.
#pragma once

#include "settings/ProfileStore.h"

#include <string>
#include <vector>

class CRecentFileList {
public:
    // firstNumber and maxDisplayLength concern menu display, which Velquin does not use.
    CRecentFileList(int firstNumber, std::string section, std::string entryFormat, int size, int maxDisplayLength);

    // The number of slots, used or not.
    int GetSize() const { return static_cast<int>(entries_.size()); }
    // The text of slot i; empty when the slot holds nothing.
    const std::string& operator[](int index) const { return entries_[static_cast<size_t>(index)]; }

    // The text goes into slot 0 unchanged; the others move down and the last one falls off.
    void Add(const std::string& text);
    // Slot i disappears; the later ones move up and the last slot becomes empty.
    void Remove(int index);

    // Every slot from the value named by the format filled with its 1-based position (empty when missing).
    void ReadList(const ProfileStore& profile);
    // Afterwards the section holds exactly one value per used slot; everything else in it is removed.
    void WriteList(ProfileStore& profile) const;

    // The value name of slot i: the format with its "%d" replaced by i + 1.
    std::string EntryName(int index) const;

private:
    std::string section_;
    std::string entryFormat_;
    std::vector<std::string> entries_;
};
