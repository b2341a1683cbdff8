#include "suggest/Suggester.h"

#include "framework/Com.h"
#include "framework/Controls.h"
#include "framework/Lock.h"
#include "framework/Trace.h"
#include "framework/Unicode.h"
#include "framework/Wait.h"
#include "suggest/Ranking.h"

#include <algorithm>
#include <ctime>

namespace {

// Changes come in bursts (an installer writes many files): they are gathered before the sources are read.
constexpr DWORD kGatherChanges = 500;
constexpr DWORD kExitWait = 100;

// The learning's clock: Unix seconds.
std::int64_t Now()
{
    return static_cast<std::int64_t>(std::time(nullptr));
}

}  // namespace

// The index is made on a thread of its own, again whenever a source changes, and handed over whole.
struct Suggester::IndexThread {
    struct Shared {
        std::shared_ptr<SuggestSystem> system;
        HWND window = nullptr;
        UINT message = 0;
        KernelHandle stop{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
        KernelHandle environment{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
        Lock lock;
        std::shared_ptr<const SuggestIndex> ready;
    };

    IndexThread(std::shared_ptr<SuggestSystem> system, HWND window, UINT message)
        : shared(MakeShared<Shared>())
    {
        shared->system = std::move(system);
        shared->window = window;
        shared->message = message;
        UseComOnThisThread();  // the shortcuts are read there: the window's thread is the main apartment
        auto owned = std::make_unique<std::shared_ptr<Shared>>(shared);
        thread.Reset(CreateThread(nullptr, 0, Run, owned.get(), 0, nullptr));
        if (thread)
            owned.release();  // the thread owns it now
    }
    ~IndexThread()
    {
        SetEvent(shared->stop.Get());
        // A thread still reading a hung network folder is left to end with the process.
        WaitForSingleObject(thread.Get(), kExitWait);
    }

    std::shared_ptr<const SuggestIndex> Take()
    {
        const Locked locked(shared->lock);
        return std::exchange(shared->ready, nullptr);
    }

    static DWORD WINAPI Run(void* parameter)
    {
        const std::unique_ptr<std::shared_ptr<Shared>> owned(static_cast<std::shared_ptr<Shared>*>(parameter));
        Shared& state = **owned;
        // The thread reads shortcuts through the component system: it dispatches its messages while it waits.
        const auto stopped = [&](DWORD wait) { return WaitDispatching({state.stop.Get()}, wait) == WAIT_OBJECT_0; };
        try {
            while (!stopped(0)) {
                const std::unique_ptr<SourceWatch> watch = state.system->WatchSources();
                auto index = MakeShared<const SuggestIndex>(BuildIndex(state.system->ReadIndexSources(), FoldCase));
                {
                    const Locked locked(state.lock);
                    state.ready = std::move(index);
                }
                PostMessageW(state.window, state.message, 0, 0);

                std::vector<HANDLE> events{state.stop.Get(), state.environment.Get()};
                if (watch) {
                    for (HANDLE event : watch->Events())
                        events.push_back(event);
                }
                events.resize(std::min<std::size_t>(events.size(), MAXIMUM_WAIT_OBJECTS - 1));
                const DWORD woke = WaitDispatching(events, INFINITE);
                if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED || stopped(kGatherChanges))
                    return 0;
            }
        } catch (...) {
            // Nothing may unwind out of a thread: the history alone is offered from now on.
            Trace("Suggester -- the index could not be made.\n");
        }
        return 0;
    }

    std::shared_ptr<Shared> shared;
    KernelHandle thread;
};

Suggester::Suggester(std::shared_ptr<SuggestSystem> system, UINT firstMessage, Learning& learning,
                     HiddenLines& hidden)
    : system_(std::move(system)),
      firstMessage_(firstMessage),
      model_(FoldCase, ExpandReferences, learning, hidden),
      popup_({[this](int line) { Fill(line); },
              [this](int line) {
                  Fill(line);
                  Hide();
                  if (box_.launch)
                      box_.launch();
              },
              [this] { Hide(); }})
{
}

Suggester::~Suggester() = default;

void Suggester::Enable(bool on)
{
    if (on == Enabled())
        return;
    Hide();
    if (!on) {
        indexThread_.reset();
        lister_.reset();
        iconFetcher_.reset();
        model_.UseIndex(nullptr);
        return;
    }
    model_.LoadPicks();
    // Until the index is ready, the history alone is offered.
    model_.UseIndex(MakeShared<const SuggestIndex>());
    const std::shared_ptr<SuggestSystem> system = system_;
    lister_ = std::make_unique<BackgroundWork<std::string, FolderListing>>(
        [system](const std::string& folder) {
            FolderListing listing = system->ListFolder(folder);
            for (FolderEntry& entry : listing.entries)
                entry.folded = FoldCase(entry.name);
            SortListing(listing);
            return listing;
        },
        [](const std::string& folder) { return FolderListing{folder, {}}; }, firstMessage_ + 1);
    iconFetcher_ = std::make_unique<BackgroundWork<IconQuestion, IconAnswer>>(
        [system](const IconQuestion& question) {
            IconAnswer icons;
            for (const Candidate& line : question.lines)
                icons.push_back({line.iconPath, system->SmallIcon(line.iconPath, line.iconKind, question.size)});
            return icons;
        },
        [](const IconQuestion& question) {
            IconAnswer none;  // remembered as files without an icon
            for (const Candidate& line : question.lines)
                none.push_back({line.iconPath, {}});
            return none;
        },
        firstMessage_ + 2, WorkerNeeds::Com);
}

void Suggester::StartIndex()
{
    if (Enabled() && !indexThread_)
        indexThread_ = std::make_unique<IndexThread>(system_, box_.window, firstMessage_);
}

void Suggester::OnTyped(const std::string& typed, const std::vector<std::string>& history)
{
    StartIndex();
    // Taken as the list opens, and again at a key once a second old: a window opened meanwhile shows.
    if (Enabled() && (!Showing() || GetTickCount() - windowsTaken_ >= 1000)) {
        model_.UseWindows(system_->ListWindows());
        windowsTaken_ = GetTickCount();
    }
    model_.Type(typed);
    model_.UseHistory(history);
    Match();
}

void Suggester::Match()
{
    if (!Enabled() || model_.Typed().empty()) {
        popup_.Hide();
        return;
    }
    if (const std::optional<std::string> folder = model_.FolderToList(); folder && lister_->Ask(box_.window, *folder))
        model_.FolderAsked(*folder);
    model_.Derive(Now());
    Show();
}

void Suggester::MatchUnlessOnALine()
{
    // The box shows a line's command: the lines stay as they are until the next key.
    if (model_.Highlight() == ListCursor::kInBox || !Showing())
        Match();
}

void Suggester::Show()
{
    const std::vector<Candidate>& lines = model_.Lines();
    if (lines.empty()) {
        popup_.Hide();
        return;
    }
    iconSize_ = SuggestionIconSize(WindowDpi(box_.window));
    std::vector<SuggestPopup::Line> shown;
    for (const Candidate& line : lines)
        shown.push_back({line.name, SourceName(line.source), CachedIcon(line.iconPath)});
    popup_.Show(box_.window, box_.box, std::move(shown));
    popup_.Highlight(model_.Highlight());
    AskIcons();
}

void Suggester::Hide()
{
    popup_.Hide();
    model_.Close();
}

bool Suggester::OnKey(ListKey key)
{
    if (!Showing())
        return false;
    switch (model_.OnKey(key)) {
    case ListAction::NotTaken: return false;
    case ListAction::Nothing: break;
    case ListAction::Fill: Fill(model_.Highlight()); break;
    case ListAction::Restore:
        model_.Unfill();
        popup_.Highlight(ListCursor::kInBox);
        box_.fill(model_.Typed(), Known::Nothing);
        break;
    case ListAction::Close: Hide(); break;
    case ListAction::Remove: RemoveHighlighted(); break;
    }
    return true;
}

void Suggester::RemoveHighlighted()
{
    for (const std::string& entry : model_.RemoveHighlighted(Now()))
        box_.forget(entry);
    if (model_.Lines().empty()) {
        box_.fill(model_.Typed(), Known::Nothing);
        Hide();
        return;
    }
    Show();
    if (model_.Highlight() >= 0)
        Fill(model_.Highlight());
    else
        box_.fill(model_.Typed(), Known::Nothing);
}

void Suggester::Fill(int line)
{
    if (line < 0 || static_cast<std::size_t>(line) >= model_.Lines().size())
        return;
    const Candidate& chosen = model_.Fill(line);
    popup_.Highlight(line);
    box_.fill(chosen.command, chosen.existence);
}

void Suggester::OnEnvironmentChanged()
{
    // A thread that starts now reads the sources as they are; one that runs reads them again.
    if (indexThread_)
        SetEvent(indexThread_->shared->environment.Get());
}

bool Suggester::OnMessage(UINT message)
{
    if (message < firstMessage_ || message > firstMessage_ + 2)
        return false;
    if (!Enabled())
        return true;  // an answer from before the list was turned off
    if (message == firstMessage_) {
        if (auto index = indexThread_ ? indexThread_->Take() : nullptr) {
            model_.UseIndex(std::move(index));
            MatchUnlessOnALine();
        }
    } else if (message == firstMessage_ + 1) {
        if (auto answer = lister_->TakeAnswer()) {
            answer->answer.folder = answer->question;
            if (model_.UseListing(std::move(answer->answer)))
                MatchUnlessOnALine();
        }
    } else if (auto answer = iconFetcher_->TakeAnswer()) {
        ApplyIcons(answer->question, std::move(answer->answer));
    }
    return true;
}

HICON Suggester::CachedIcon(const std::string& path) const
{
    const UniqueHandle<IconTraits>* icon = icons_.Find(path, iconSize_);
    return icon ? icon->Get() : nullptr;
}

void Suggester::AskIcons()
{
    IconQuestion question{{}, iconSize_};
    for (const Candidate& line : model_.Lines()) {
        if (!line.iconPath.empty() && !icons_.Has(line.iconPath, iconSize_))
            question.lines.push_back(line);
    }
    if (!question.lines.empty())
        iconFetcher_->Ask(box_.window, std::move(question));
}

void Suggester::ApplyIcons(const IconQuestion& question, IconAnswer icons)
{
    // The lines that show keep theirs: only icons no line uses go.
    const std::vector<Candidate>& lines = model_.Lines();
    std::vector<std::string> shown;
    for (const Candidate& line : lines)
        shown.push_back(line.iconPath);
    for (FetchedIcon& fetched : icons)
        icons_.Add(fetched.path, question.size, std::move(fetched.icon), shown, iconSize_);
    for (std::size_t line = 0; line < lines.size(); ++line)
        popup_.SetIcon(line, CachedIcon(lines[line].iconPath));
}
