#include "suggest/SourceText.h"

#include "framework/ProfileStore.h"
#include "framework/Text.h"

#include <algorithm>
#include <numeric>

namespace {

bool EndsWithAsciiNoCase(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && EqualsAsciiNoCase(text.substr(text.size() - end.size()), end);
}

}  // namespace

std::string WithoutExtension(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::vector<std::string> ProgramExtensions(const std::string& pathExt, FoldText fold)
{
    std::vector<std::string> extensions;
    for (std::size_t start = 0; start <= pathExt.size();) {
        const std::size_t end = std::min(pathExt.find(';', start), pathExt.size());
        const std::string extension = Trim(pathExt.substr(start, end - start));
        if (!extension.empty())
            extensions.push_back(fold(extension));
        start = end + 1;
    }
    return extensions;
}

bool HasProgramExtension(const std::string& fileName, const std::vector<std::string>& extensions, FoldText fold)
{
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return false;
    const std::string extension = fold(fileName.substr(dot));
    return std::find(extensions.begin(), extensions.end(), extension) != extensions.end();
}

std::string ProgramCommandOf(const std::string& fileName)
{
    if (EndsWithAsciiNoCase(fileName, ".exe") || EndsWithAsciiNoCase(fileName, ".com"))
        return fileName.substr(0, fileName.size() - 4);
    return fileName;
}

std::optional<FolderQuery> FolderQueryOf(const std::string& typed, ExpandText expand)
{
    const std::size_t quote = !typed.empty() && typed[0] == '"' ? 1 : 0;
    const std::string path = typed.substr(quote);
    // After a closing quote come the arguments, which are not completed.
    if (path.find('"') != std::string::npos)
        return std::nullopt;
    const std::size_t slash = path.rfind('\\');
    if (slash == std::string::npos)
        return std::nullopt;
    FolderQuery query;
    query.typedFolder = typed.substr(0, quote + slash + 1);
    query.folder = expand(path.substr(0, slash + 1));
    query.lastPart = path.substr(slash + 1);
    return query;
}

void SortListing(FolderListing& listing)
{
    for (FolderEntry& entry : listing.entries)
        entry.length = static_cast<unsigned>(Utf16Length(entry.name));
    std::sort(listing.entries.begin(), listing.entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.folded < b.folded; });
}

Candidates OfferEntries(const FolderListing& listing, const FolderQuery& query, FoldText fold, std::size_t most)
{
    const std::string foldedPart = fold(query.lastPart);
    // The entries that begin so sit together in the sorted listing.
    const auto& entries = listing.entries;
    const auto first = std::lower_bound(entries.begin(), entries.end(), foldedPart,
                                        [](const FolderEntry& e, const std::string& p) { return e.folded < p; });
    auto last = first;
    while (last != entries.end() && last->folded.compare(0, foldedPart.size(), foldedPart) == 0)
        ++last;

    std::vector<const FolderEntry*> fitting;
    for (auto entry = first; entry != last; ++entry) {
        if (entry->name != "." && entry->name != "..")
            fitting.push_back(&*entry);
    }
    const auto better = [](const FolderEntry* a, const FolderEntry* b) {
        if (a->isFolder != b->isFolder)
            return a->isFolder;
        if (a->length != b->length)
            return a->length < b->length;
        return a->folded < b->folded;
    };
    const std::size_t kept = std::min(most, fitting.size());
    std::partial_sort(fitting.begin(), fitting.begin() + static_cast<std::ptrdiff_t>(kept), fitting.end(), better);

    const bool quoted = !query.typedFolder.empty() && query.typedFolder[0] == '"';
    // The command as the box takes it; built alike from the folded parts, to find it in the history.
    const auto commandOf = [quoted](const std::string& folder, const std::string& name, bool isFolder) {
        if (isFolder)
            return folder + name + "\\";  // an open quote stays open for typing on
        return quoted ? folder + name + "\"" : QuoteIfBlank(folder + name);
    };
    const std::string foldedFolder = fold(query.typedFolder);
    Candidates lines;
    for (std::size_t i = 0; i < kept; ++i) {
        const FolderEntry& entry = *fitting[i];
        IndexedCandidate line;
        line.item.command = commandOf(query.typedFolder, entry.name, entry.isFolder);
        if (Utf16Length(line.item.command) > kMaxProfileText)
            continue;
        line.item.name = query.typedFolder.substr(quoted ? 1 : 0) + entry.name + (entry.isFolder ? "\\" : "");
        line.item.iconPath = listing.folder + entry.name;
        line.item.source = entry.isFolder ? Source::Folder : Source::File;
        line.item.iconKind = entry.isFolder ? IconKind::Folder : IconKind::File;
        line.foldedCommand = commandOf(foldedFolder, entry.folded, entry.isFolder);
        line.folded = line.foldedCommand;
        line.length = static_cast<unsigned>(Utf16Length(line.item.name));
        lines.push_back(std::move(line));
    }
    return lines;
}

Candidates OfferVariables(const Candidates& variables, const std::string& typed)
{
    Candidates lines;
    if (typed.size() < 2 || typed[0] != '%' || typed.find_first_of("%\\", 1) != std::string::npos)
        return lines;
    for (const IndexedCandidate& variable : variables) {
        if (variable.folded.compare(0, typed.size(), typed) == 0)
            lines.push_back(variable);
    }
    return lines;
}

IconLookup IconLookupFor(const std::string& path, IconKind kind, bool isFolder, bool onNetwork)
{
    if (kind == IconKind::Shortcut || kind == IconKind::App)
        return IconLookup::Own;
    if (kind == IconKind::Folder || isFolder)
        return IconLookup::Folder;
    if (onNetwork)
        return IconLookup::Type;
    for (const char* own : {".exe", ".dll", ".ico"}) {
        if (EndsWithAsciiNoCase(path, own))
            return IconLookup::Own;
    }
    return IconLookup::Type;
}
