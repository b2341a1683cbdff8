#include "suggest/SuggestIndex.h"

#include "framework/Text.h"
#include "suggest/SourceText.h"

#include <algorithm>
#include <unordered_set>

namespace {

constexpr std::size_t kMaxBoxText = 259;

class IndexBuilder {
public:
    explicit IndexBuilder(FoldText fold) : fold_(fold) {}

    void AddShortcut(const std::string& path)
    {
        Candidate line{WithoutExtension(FileNameOf(path)), QuoteIfBlank(path), path, Source::StartMenu};
        if (Add(std::move(line)))
            shortcutNames_.insert(index_.items.back().folded);
    }

    // A program the shell finds by name: a shortcut of that name offers it already.
    void AddProgram(const std::string& command, const std::string& iconPath, Source source)
    {
        const std::string name = WithoutExtension(command);
        if (shortcutNames_.count(fold_(name)) == 0)
            Add({command, command, iconPath, source});
    }

    void AddVariable(const std::string& name)
    {
        Candidate line{"%" + name + "%\\", "%" + name + "%\\", std::string(), Source::Folder};
        if (!name.empty() && Utf16Length(line.command) <= kMaxBoxText)
            index_.variables.push_back(Indexed(std::move(line), fold_));
    }

    SuggestIndex Take()
    {
        std::sort(index_.variables.begin(), index_.variables.end(),
                  [](const IndexedCandidate& a, const IndexedCandidate& b) { return a.folded < b.folded; });
        return std::move(index_);
    }

private:
    bool Add(Candidate line)
    {
        if (line.name.empty() || Utf16Length(line.command) > kMaxBoxText)
            return false;
        IndexedCandidate indexed = Indexed(std::move(line), fold_);
        if (!index_.byCommand.emplace(indexed.foldedCommand, index_.items.size()).second)
            return false;
        index_.items.push_back(std::move(indexed));
        return true;
    }

    FoldText fold_;
    SuggestIndex index_;
    std::unordered_set<std::string> shortcutNames_;
};

}  // namespace

SuggestIndex BuildIndex(const IndexSources& sources, FoldText fold)
{
    IndexBuilder index(fold);
    for (const std::string& path : sources.shortcuts)
        index.AddShortcut(path);
    for (const auto& [name, program] : sources.appPaths)
        index.AddProgram(ProgramCommandOf(name), program, Source::AppPaths);
    for (const std::string& path : sources.pathFiles) {
        const std::string name = FileNameOf(path);
        if (HasProgramExtension(name, sources.pathExt, fold))
            index.AddProgram(ProgramCommandOf(name), path, Source::Path);
    }
    for (const std::string& name : sources.environment)
        index.AddVariable(name);
    return index.Take();
}
