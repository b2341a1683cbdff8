// Work done on a thread of its own so that the window never waits for it: a file search or a launch on a
// network path can block for seconds. Each answer is posted to the window as a message, and the window
// collects it. Every question gets an answer: work that throws is answered by `failed`.
#pragma once

#include "framework/Handles.h"
#include "framework/Lock.h"
#include "framework/Shared.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>

// What a worker calls. The shell's calls need the component system: the asking thread sets it up before the
// worker starts, so that the window's thread, which answers the calls made into it, is the process's main
// apartment, and never a worker.
enum class WorkerNeeds { Nothing, Com };

// The thread of a BackgroundWork: one job at a time, a new one replacing one not yet started; after each, the
// message is posted to the window when the job says so. It dispatches its messages while it waits. Never
// waited for: one blocked on the network ends when its call returns, or with the process.
class WorkerThread {
public:
    WorkerThread(UINT message, WorkerNeeds needs);
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // False when no thread could be started: the job will not run.
    bool Run(HWND window, std::function<bool()> job);

private:
    struct State;
    static DWORD WINAPI Loop(void* parameter);

    std::shared_ptr<State> state_;
    const WorkerNeeds needs_;
    KernelHandle thread_;
};

// Runs the job on a thread of its own, then posts the message with `id` as wParam when the job says so.
// False when no thread could be started.
bool RunOnThreadOfItsOwn(HWND window, UINT message, WPARAM id, WorkerNeeds needs, std::function<bool()> job);

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

// What the asking thread and the workers share: the work, the answer to work that threw, and a lock for the
// answers.
template <typename Work>
struct Shared {
    Shared(Work w, Work f) : work(std::move(w)), failed(std::move(f)) {}
    const Work work;
    const Work failed;
    Lock lock;
};

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
        : shared_(MakeShared<Shared>(std::move(work), std::move(failed))), thread_(message, needs)
    {
    }

    // False when no worker could be started: nothing will answer.
    bool Ask(HWND window, Question question)
    {
        {
            const Locked locked(shared_->lock);
            shared_->answer.reset();  // an answer still waiting is about an older question
        }
        return thread_.Run(window, [shared = shared_, question = std::move(question)] {
            std::optional<Answer> answer = background::Answered<Answer>(shared->work, shared->failed, question);
            const Locked locked(shared->lock);
            if (answer)
                shared->answer = Result{question, std::move(*answer)};
            return answer.has_value();
        });
    }

    std::optional<Result> TakeAnswer()
    {
        const Locked locked(shared_->lock);
        return std::exchange(shared_->answer, std::nullopt);
    }

private:
    struct Shared : background::Shared<Work> {
        using background::Shared<Work>::Shared;
        std::optional<Result> answer;
    };

    std::shared_ptr<Shared> shared_;
    WorkerThread thread_;
};

// Each question on a thread of its own, so that one that never returns holds up no other: a launch waiting on
// a share that does not answer. The asker names each question; its answer comes as the message with that id
// as wParam, also when none could be had (TakeAnswer then has nothing). No thread is ever waited for.
template <typename Question, typename Answer>
class WorkPerQuestion {
public:
    using Work = std::function<Answer(const Question&)>;

    WorkPerQuestion(Work work, Work failed, UINT message, WorkerNeeds needs = WorkerNeeds::Nothing)
        : shared_(MakeShared<Shared>(std::move(work), std::move(failed))),
          message_(message), needs_(needs)
    {
    }
    // Answers still to come go nowhere.
    ~WorkPerQuestion()
    {
        const Locked locked(shared_->lock);
        shared_->open = false;
    }
    WorkPerQuestion(const WorkPerQuestion&) = delete;
    WorkPerQuestion& operator=(const WorkPerQuestion&) = delete;

    // False when no thread could be started: nothing will answer.
    bool Ask(HWND window, unsigned id, Question question)
    {
        return RunOnThreadOfItsOwn(window, message_, id, needs_, [shared = shared_, id, question = std::move(question)] {
            std::optional<Answer> answer = background::Answered<Answer>(shared->work, shared->failed, question);
            const Locked locked(shared->lock);
            if (!shared->open)
                return false;
            if (answer)  // else the window hears that none could be had
                shared->answers.insert_or_assign(id, std::move(*answer));
            return true;
        });
    }

    std::optional<Answer> TakeAnswer(unsigned id)
    {
        const Locked locked(shared_->lock);
        const auto found = shared_->answers.find(id);
        if (found == shared_->answers.end())
            return std::nullopt;
        Answer answer = std::move(found->second);
        shared_->answers.erase(found);
        return answer;
    }

private:
    struct Shared : background::Shared<Work> {
        using background::Shared<Work>::Shared;
        std::map<unsigned, Answer> answers;
        bool open = true;
    };

    std::shared_ptr<Shared> shared_;
    const UINT message_;
    const WorkerNeeds needs_;
};
