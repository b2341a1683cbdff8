#include "framework/BackgroundCheck.h"

struct BackgroundCheck::State {
    State(Question q, UINT m) : question(q), message(m) { InitializeCriticalSection(&lock); }
    ~State() { DeleteCriticalSection(&lock); }

    const Question question;
    const UINT message;
    CRITICAL_SECTION lock;
    UniqueHandle<KernelHandleTraits> wake{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    HWND window = nullptr;
    std::optional<std::string> asked;
    std::optional<Answer> answer;
    bool stopping = false;
};

namespace {

class Locked {
public:
    explicit Locked(CRITICAL_SECTION& section) : section_(section) { EnterCriticalSection(&section_); }
    ~Locked() { LeaveCriticalSection(&section_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    CRITICAL_SECTION& section_;
};

DWORD WINAPI Work(void* parameter)
{
    // The worker shares the state, so it may outlive its owner.
    const std::unique_ptr<std::shared_ptr<BackgroundCheck::State>> shared(
        static_cast<std::shared_ptr<BackgroundCheck::State>*>(parameter));
    BackgroundCheck::State& state = **shared;
    for (;;) {
        WaitForSingleObject(state.wake.Get(), INFINITE);
        std::string text;
        HWND window = nullptr;
        {
            const Locked locked(state.lock);
            if (state.stopping)
                return 0;
            if (!state.asked)
                continue;
            text = std::move(*state.asked);
            state.asked.reset();
            window = state.window;
        }
        const bool yes = state.question(text);
        {
            const Locked locked(state.lock);
            if (state.stopping)
                return 0;
            state.answer = BackgroundCheck::Answer{text, yes};
        }
        PostMessageA(window, state.message, 0, 0);
    }
}

}  // namespace

BackgroundCheck::BackgroundCheck(Question question, UINT message)
    : state_(std::make_shared<State>(question, message))
{
}

BackgroundCheck::~BackgroundCheck()
{
    const Locked locked(state_->lock);
    state_->stopping = true;
    SetEvent(state_->wake.Get());
}

void BackgroundCheck::Ask(HWND window, const std::string& text)
{
    if (!worker_) {
        auto shared = std::make_unique<std::shared_ptr<State>>(state_);
        worker_.Reset(CreateThread(nullptr, 0, Work, shared.get(), 0, nullptr));
        if (!worker_)
            return;
        shared.release();  // the worker owns it now
    }
    const Locked locked(state_->lock);
    state_->window = window;
    state_->asked = text;
    state_->answer.reset();  // an answer still waiting is about an older text
    SetEvent(state_->wake.Get());
}

std::optional<BackgroundCheck::Answer> BackgroundCheck::TakeAnswer()
{
    const Locked locked(state_->lock);
    return std::exchange(state_->answer, std::nullopt);
}
