// Work done on a thread of its own so that the window never waits for it: a file search or a launch on a
// network path can block for seconds. Each answer is posted to the window as a message, and the window
// collects it. Every question gets an answer: work that throws is answered by `failed`.
#pragma once

#include "framework/Com.h"
#include "framework/Handles.h"
#include "framework/Lock.h"
#include "framework/Wait.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>

// What a worker calls. The shell's calls need the component system: the asking thread sets it up before the
// worker starts, so that the window's thread, which answers the calls made into it, is the process's main
// apartment, and never a worker.
enum class WorkerNeeds { Nothing, Com };

namespace background {

template <typename Answer, typename Work, typename Question>
std::optional<Answer> Answered(const Work& work, const Work& failed, const Question& question)
{
    try {
        return work(question);
    } catch (...) {
        // Nothing may unwind out of a thread.
    }
    try {
        return failed(question);
    } catch (...) {
        return std::nullopt;
    }
}

inline void Prepare(WorkerNeeds needs)
{
    if (needs == WorkerNeeds::Com)
        UseComOnThisThread();
}

}  // namespace background

// One worker; a new question replaces one not yet started. The window collects the answer with TakeAnswer.
template <typename Question, typename Answer>
class BackgroundWork {
public:
    using Work = std::function<Answer(const Question&)>;
    struct Result {
        Question question;
        Answer answer;
    };

    BackgroundWork(Work work, Work failed, UINT message, WorkerNeeds needs = WorkerNeeds::Nothing)
        : state_(std::make_shared<State>(std::move(work), std::move(failed), message)), needs_(needs)
    {
    }
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
            background::Prepare(needs_);
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
        State(Work w, Work f, UINT m) : work(std::move(w)), failed(std::move(f)), message(m) {}
        const Work work;
        const Work failed;
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
            WaitDispatching({state.wake.Get()}, INFINITE);
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
            std::optional<Answer> answer = background::Answered<Answer>(state.work, state.failed, *question);
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
    const WorkerNeeds needs_;
    KernelHandle worker_;
};

// Each question on a thread of its own, so that one that never returns holds up no other: a launch waiting on
// a share that does not answer. The asker names each question; its answer comes as the message with that id
// as wParam. No thread is ever waited for.
template <typename Question, typename Answer>
class WorkPerQuestion {
public:
    using Work = std::function<Answer(const Question&)>;

    WorkPerQuestion(Work work, Work failed, UINT message, WorkerNeeds needs = WorkerNeeds::Nothing)
        : state_(std::make_shared<State>(std::move(work), std::move(failed), message)), needs_(needs)
    {
    }
    // Answers still to come go nowhere.
    ~WorkPerQuestion()
    {
        const Locked locked(state_->lock);
        state_->window = nullptr;
    }
    WorkPerQuestion(const WorkPerQuestion&) = delete;
    WorkPerQuestion& operator=(const WorkPerQuestion&) = delete;

    // False when no thread could be started: nothing will answer.
    bool Ask(HWND window, unsigned id, Question question)
    {
        background::Prepare(needs_);
        {
            const Locked locked(state_->lock);
            state_->window = window;
        }
        auto job = std::make_unique<Job>(Job{state_, id, std::move(question)});
        const KernelHandle thread(CreateThread(nullptr, 0, Run, job.get(), 0, nullptr));
        if (!thread)
            return false;
        job.release();  // the thread owns it now
        return true;
    }

    std::optional<Answer> TakeAnswer(unsigned id)
    {
        const Locked locked(state_->lock);
        const auto found = state_->answers.find(id);
        if (found == state_->answers.end())
            return std::nullopt;
        Answer answer = std::move(found->second);
        state_->answers.erase(found);
        return answer;
    }

private:
    struct State {
        State(Work w, Work f, UINT m) : work(std::move(w)), failed(std::move(f)), message(m) {}
        const Work work;
        const Work failed;
        const UINT message;
        Lock lock;
        HWND window = nullptr;
        std::map<unsigned, Answer> answers;
    };
    struct Job {
        std::shared_ptr<State> state;
        unsigned id;
        Question question;
    };

    static DWORD WINAPI Run(void* parameter)
    {
        const std::unique_ptr<Job> job(static_cast<Job*>(parameter));
        State& state = *job->state;
        std::optional<Answer> answer = background::Answered<Answer>(state.work, state.failed, job->question);
        if (!answer)
            return 0;
        HWND window = nullptr;
        {
            const Locked locked(state.lock);
            window = state.window;
            if (!window)
                return 0;
            state.answers.insert_or_assign(job->id, std::move(*answer));
        }
        PostMessageW(window, state.message, job->id, 0);
        return 0;
    }

    std::shared_ptr<State> state_;
    const WorkerNeeds needs_;
};
