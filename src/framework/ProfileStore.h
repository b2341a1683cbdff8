// The application's profile: values by section and entry, read with defaults, written at once.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

// The longest text a registry write accepts, in UTF-16 units: what fits a 260-character buffer with its
// terminating zero.
inline constexpr std::size_t kMaxProfileText = 259;

class ProfileStore {
public:
    virtual ~ProfileStore() = default;

    // The stored value, or the default when the value or its section is missing.
    virtual int ReadInt(const std::string& section, const std::string& entry, int defaultValue) const = 0;
    virtual std::string ReadString(const std::string& section, const std::string& entry,
                                         const std::string& defaultValue = std::string()) const = 0;

    // The section is created when needed. Integers are 32-bit; strings single-line text.
    // A string longer than kMaxProfileText is refused (false) and the stored value kept.
    virtual bool WriteInt(const std::string& section, const std::string& entry, int value) = 0;
    virtual bool WriteString(const std::string& section, const std::string& entry, const std::string& value) = 0;

    // Several strings of one section at once (each empty when missing); a store may read them in one go.
    virtual std::vector<std::string> ReadStrings(const std::string& section, const std::vector<std::string>& entries) const
    {
        std::vector<std::string> texts;
        for (const std::string& entry : entries)
            texts.push_back(ReadString(section, entry));
        return texts;
    }

    // Removes one value; true when it was there and is gone.
    virtual bool DeleteValue(const std::string& section, const std::string& entry) = 0;
    // The names of the section's values, as stored; empty when the section is missing.
    virtual std::vector<std::string> ValueNames(const std::string& section) const = 0;
    // Every value of the section with its name, a number in decimal.
    virtual std::vector<std::pair<std::string, std::string>> ReadSection(const std::string& section) const = 0;

    // The writes between the two may reach the store's medium together, at the commit: a file is written
    // once for a whole history. Batches nest; the outermost commit counts. False when the writes could not
    // be kept.
    virtual void BeginBatch() {}
    virtual bool CommitBatch() { return true; }
};

// A batch for the scope's lifetime, or until its commit.
class ProfileBatch {
public:
    explicit ProfileBatch(ProfileStore& store) : store_(store) { store_.BeginBatch(); }
    ~ProfileBatch()
    {
        if (open_)
            store_.CommitBatch();
    }
    ProfileBatch(const ProfileBatch&) = delete;
    ProfileBatch& operator=(const ProfileBatch&) = delete;

    bool Commit()
    {
        open_ = false;
        return store_.CommitBatch();
    }

private:
    ProfileStore& store_;
    bool open_ = true;
};
