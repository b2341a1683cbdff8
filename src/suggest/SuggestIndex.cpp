#include "suggest/SuggestIndex.h"

#include "framework/ProfileStore.h"
#include "framework/Text.h"
#include "suggest/SourceText.h"
#include "text/CommandText.h"

#include <algorithm>

namespace {

class IndexBuilder {
public:
    explicit IndexBuilder(FoldText fold) : fold_(fold) {}

    // The first shortcut of a name (the user's own before all users') stands for the others.
    void AddShortcut(const ShortcutFile& shortcut)
    {
        const bool local = !shortcut.target.empty() && !shortcut.targetOnNetwork;
        if (local && !shortcut.targetExists)
            return;
        const std::string name = WithoutExtension(NameOf(shortcut.path));
        if (shortcutNames_.count(fold_(name)) != 0)
            return;
        Candidate line{name, QuoteIfBlank(shortcut.path), shortcut.path, Source::StartMenu, IconKind::Shortcut};
        // What the control rules would find: a shortcut names an existing entry when its target is there; any
        // other file (a .url) when the file is.
        if (!IsShortcutPath(shortcut.path))
            line.existence = Known::Exists;
        else
            line.existence = shortcut.target.empty() ? Known::Missing : local ? Known::Exists : Known::Nothing;
        if (Add(std::move(line)))
            shortcutNames_.emplace(fold_(name), index_.items.size() - 1);
    }

    // A program the shell finds by name (the file's, without its extension): a shortcut of that name offers
    // it already, and the program's command is that shortcut's line.
    void AddProgram(const std::string& fileName, const std::string& iconPath, Source source)
    {
        const std::string command = QuoteIfBlank(ProgramCommandOf(fileName));
        const auto shortcut = shortcutNames_.find(fold_(WithoutExtension(fileName)));
        if (shortcut != shortcutNames_.end())
            index_.byCommand.emplace(fold_(command), shortcut->second);
        else
            Add({ProgramCommandOf(fileName), command, iconPath, source});
    }

    // A packaged app: opened through the Apps folder by its id.
    void AddApp(const std::string& name, const std::string& appId)
    {
        if (IsPackagedAppId(appId))
            Add({name, "shell:AppsFolder\\" + appId, "shell:AppsFolder\\" + appId, Source::App, IconKind::App});
    }

    void AddVariable(const std::string& name)
    {
        Candidate line{"%" + name + "%\\", "%" + name + "%\\", std::string(), Source::Folder};
        if (!name.empty() && Utf16Length(line.command) <= kMaxProfileText)
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
        if (line.name.empty() || Utf16Length(line.command) > kMaxProfileText)
            return false;
        IndexedCandidate indexed = Indexed(std::move(line), fold_);
        if (!index_.byCommand.emplace(indexed.foldedCommand, index_.items.size()).second)
            return false;
        index_.items.push_back(std::move(indexed));
        return true;
    }

    FoldText fold_;
    SuggestIndex index_;
    std::unordered_map<std::string, std::size_t> shortcutNames_;  // folded, to its line
};

}  // namespace

SuggestIndex BuildIndex(const IndexSources& sources, FoldText fold)
{
    IndexBuilder index(fold);
    for (const ShortcutFile& shortcut : sources.shortcuts)
        index.AddShortcut(shortcut);
    for (const auto& [name, program] : sources.appPaths)
        index.AddProgram(name, program, Source::AppPaths);
    const std::vector<std::string> extensions = ProgramExtensions(sources.pathExt, fold);
    for (const std::string& path : sources.pathFiles) {
        const std::string name = NameOf(path);
        if (HasProgramExtension(name, extensions, fold))
            index.AddProgram(name, path, Source::Path);
    }
    for (const auto& [name, appId] : sources.apps)
        index.AddApp(name, appId);
    for (const std::string& name : sources.environment)
        index.AddVariable(name);
    return index.Take();
}

bool IsPackagedAppId(const std::string& appId)
{
    const std::size_t bang = appId.find('!');
    if (bang == std::string::npos || bang + 1 == appId.size())
        return false;
    const std::size_t underscore = appId.rfind('_', bang);
    if (underscore == std::string::npos || underscore == 0 || bang - underscore - 1 != 13)
        return false;
    for (std::size_t i = underscore + 1; i < bang; ++i) {
        const char c = appId[i];
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}
