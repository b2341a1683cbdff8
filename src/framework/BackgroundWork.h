// Work done on a thread of its own so that the window never waits for it: a file search or a launch on a
// network path can block for seconds. A new question replaces one not yet started; each answer is posted
// to the window as a message, and the window collects it with TakeAnswer.
#pragma once

#include "framework/Handles.h"
#include "framework/Lock.h"

#include <functional>
#include <memory>
#include <optional>
#include <utility>

template <typename Question, typename Answer>
class BackgroundWork {
public:
    using Work = std::function<Answer(const Question&)>;
    struct Result {
        Question question;
        Answer answer;
    };

    BackgroundWork(Work work, UINT message) : state_(std::make_shared<State>(std::move(work), message)) {}
    // Never waits: the worker shares what it needs, so one blocked on the network ends when its call
    // returns, or with the process.
    ~BackgroundWork()
    {
        const Locked locked(state_->lock);
        state_->stopping = true;
        SetEvent(state_->wake.Get());
    }
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    // False when no worker could be started: nothing will answer.
    bool Ask(HWND window, Question question)
    {
        if (!worker_) {
            auto shared = std::make_unique<std::shared_ptr<State>>(state_);
            worker_.Reset(CreateThread(nullptr, 0, Run, shared.get(), 0, nullptr));
            if (!worker_)
                return false;
            shared.release();  // the worker owns it now
        }
        const Locked locked(state_->lock);
        state_->window = window;
        state_->asked = std::move(question);
        state_->answer.reset();  // an answer still waiting is about an older question
        SetEvent(state_->wake.Get());
        return true;
    }

    std::optional<Result> TakeAnswer()
    {
        const Locked locked(state_->lock);
        return std::exchange(state_->answer, std::nullopt);
    }

private:
    struct State {
        State(Work w, UINT m) : work(std::move(w)), message(m) {}
        const Work work;
        const UINT message;
        Lock lock;
        KernelHandle wake{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
        HWND window = nullptr;
        std::optional<Question> asked;
        std::optional<Result> answer;
        bool stopping = false;
    };

    static DWORD WINAPI Run(void* parameter)
    {
        const std::unique_ptr<std::shared_ptr<State>> shared(static_cast<std::shared_ptr<State>*>(parameter));
        State& state = **shared;
        for (;;) {
            WaitForSingleObject(state.wake.Get(), INFINITE);
            std::optional<Question> question;
            HWND window = nullptr;
            {
                const Locked locked(state.lock);
                if (state.stopping)
                    return 0;
                question = std::exchange(state.asked, std::nullopt);
                window = state.window;
            }
            if (!question)
                continue;
            std::optional<Answer> answer;
            try {
                answer = state.work(*question);
            } catch (...) {
                // Nothing may unwind out of a thread; the question goes unanswered.
            }
            if (!answer)
                continue;
            {
                const Locked locked(state.lock);
                if (state.stopping)
                    return 0;
                state.answer = Result{std::move(*question), std::move(*answer)};
            }
            PostMessageW(window, state.message, 0, 0);
        }
    }

    std::shared_ptr<State> state_;
    KernelHandle worker_;
};
