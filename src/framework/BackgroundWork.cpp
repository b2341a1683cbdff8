#include "framework/BackgroundWork.h"

#include "framework/Com.h"
#include "framework/Wait.h"

namespace {

void Prepare(WorkerNeeds needs)
{
    if (needs == WorkerNeeds::Com)
        UseComOnThisThread();
}

struct OwnJob {
    HWND window;
    UINT message;
    WPARAM id;
    std::function<bool()> job;
};

// The job, without letting anything unwind out of the thread: a job that throws is told as one that answered,
// and the window finds no answer.
bool Ran(const std::function<bool()>& job)
{
    try {
        return job();
    } catch (...) {
        return true;
    }
}

DWORD WINAPI RunOwnJob(void* parameter)
{
    const std::unique_ptr<OwnJob> own(static_cast<OwnJob*>(parameter));
    if (Ran(own->job))
        PostMessageW(own->window, own->message, own->id, 0);
    return 0;
}

}  // namespace

struct WorkerThread::State {
    explicit State(UINT m) : message(m) {}
    const UINT message;
    Lock lock;
    KernelHandle wake{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    HWND window = nullptr;
    std::function<bool()> job;
    bool stopping = false;
};

WorkerThread::WorkerThread(UINT message, WorkerNeeds needs) : state_(MakeShared<State>(message)), needs_(needs)
{
}

WorkerThread::~WorkerThread()
{
    const Locked locked(state_->lock);
    state_->stopping = true;
    SetEvent(state_->wake.Get());
}

bool WorkerThread::Run(HWND window, std::function<bool()> job)
{
    if (!thread_) {
        Prepare(needs_);
        auto shared = std::make_unique<std::shared_ptr<State>>(state_);
        thread_.Reset(CreateThread(nullptr, 0, Loop, shared.get(), 0, nullptr));
        if (!thread_)
            return false;
        shared.release();  // the thread owns it now
    }
    const Locked locked(state_->lock);
    state_->window = window;
    state_->job = std::move(job);
    SetEvent(state_->wake.Get());
    return true;
}

DWORD WINAPI WorkerThread::Loop(void* parameter)
{
    const std::unique_ptr<std::shared_ptr<State>> shared(static_cast<std::shared_ptr<State>*>(parameter));
    State& state = **shared;
    for (;;) {
        WaitDispatching({state.wake.Get()}, INFINITE);
        std::function<bool()> job;
        HWND window = nullptr;
        {
            const Locked locked(state.lock);
            if (state.stopping)
                return 0;
            job = std::exchange(state.job, nullptr);
            window = state.window;
        }
        if (!job || !Ran(job))
            continue;
        const Locked locked(state.lock);
        if (state.stopping)
            return 0;
        PostMessageW(window, state.message, 0, 0);
    }
}

bool RunOnThreadOfItsOwn(HWND window, UINT message, WPARAM id, WorkerNeeds needs, std::function<bool()> job)
{
    Prepare(needs);
    auto own = std::make_unique<OwnJob>(OwnJob{window, message, id, std::move(job)});
    const KernelHandle thread(CreateThread(nullptr, 0, RunOwnJob, own.get(), 0, nullptr));
    if (!thread)
        return false;
    own.release();  // the thread owns it now
    return true;
}
