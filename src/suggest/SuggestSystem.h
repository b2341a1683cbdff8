// The system side of the suggestions: the sources as the system holds them, folder listings, icons and the
// notices of change. Tests give one that blocks or records.
#pragma once

#include "framework/Handles.h"
#include "suggest/OpenWindows.h"
#include "suggest/SourceText.h"
#include "suggest/SuggestIndex.h"

#include <memory>
#include <string>
#include <vector>

// Handles the system signals when an indexed source changes; closed with the object.
class SourceWatch {
public:
    virtual ~SourceWatch() = default;
    virtual std::vector<HANDLE> Events() const = 0;
};

class SuggestSystem {
public:
    virtual ~SuggestSystem() = default;

    // Every indexed source, each shortcut's target read; on the index thread, and it may take a while.
    virtual IndexSources ReadIndexSources() = 0;
    // A folder's entries, their names not yet folded; on a worker, and it may wait on the network.
    virtual FolderListing ListFolder(const std::string& folder) = 0;
    // Made before the sources are read, so that no change between the two goes unseen.
    virtual std::unique_ptr<SourceWatch> WatchSources() = 0;
    // A line's small icon at this size, as IconLookupFor allows, references filled in; none when the system
    // has none. On a worker.
    virtual UniqueHandle<IconTraits> SmallIcon(const std::string& path, IconKind kind, int size) = 0;
    // The top-level windows as they are, read without a message to any of them. On the window's thread.
    virtual std::vector<WindowFacts> ListWindows() = 0;
};

class ShellSuggestSystem : public SuggestSystem {
public:
    IndexSources ReadIndexSources() override;
    FolderListing ListFolder(const std::string& folder) override;
    std::unique_ptr<SourceWatch> WatchSources() override;
    UniqueHandle<IconTraits> SmallIcon(const std::string& path, IconKind kind, int size) override;
    std::vector<WindowFacts> ListWindows() override;
};
