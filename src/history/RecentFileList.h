// A most-recently-used list of texts: a fixed number of slots, the newest in slot 0, kept in one
// section of the profile with one value per used slot.
#pragma once

#include "framework/ProfileStore.h"

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

    // Every slot from the value named by the format filled with its 1-based position; empty when missing,
    // and when longer than a registry buffer holds (no such text can have been written by the list).
    void ReadList(const ProfileStore& profile);
    // Afterwards the section holds exactly one value per used slot; other values named like slots (empty ones,
    // ones beyond a shrunken size) are removed. Values named otherwise are not the list's and stay.
    void WriteList(ProfileStore& profile) const;

    // The value name of slot i: the format with its "%d" replaced by i + 1.
    std::string EntryName(int index) const;
    // Whether a value name has the shape of a slot's name: the format with digits in place of "%d".
    bool IsEntryName(const std::string& name) const;

private:
    std::string section_;
    std::string entryFormat_;
    std::vector<std::string> entries_;
};
