// Work away from the window's thread: every question answered, one that never returns holding up no other,
// and a worker that waits still answering the calls made into its thread.
#include "framework/BackgroundWork.h"
#include "framework/Com.h"
#include "framework/Handles.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

constexpr UINT kAnswer = WM_APP + 7;

// A window of this thread for the answers; each wait pumps until one comes, for at most ten seconds.
class Answers {
public:
    Answers() : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    HWND Window() const { return window_.Get(); }
    // The next answer's wParam, or -1.
    long long Next() const
    {
        const DWORD until = GetTickCount() + 10000;
        MSG message;
        while (GetTickCount() < until) {
            if (PeekMessageW(&message, window_.Get(), kAnswer, kAnswer, PM_REMOVE))
                return static_cast<long long>(message.wParam);
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
        return -1;
    }

private:
    WindowHandle window_;
};

}  // namespace

TEST(Workers, AWorkerAnswersEveryQuestionAndTheCallsMadeIntoItsThreadWhileItWaits)
{
    // On a thread of its own, as the window's: whether it has the component system is this test's to see.
    std::thread([] {
        Answers answers;
        BackgroundWork<int, HWND> work(
            [](int question) -> HWND {
                if (question == 2)
                    throw 2;
                // A window of the worker's thread, for a call from another thread to reach.
                return CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
            },
            [](int) -> HWND { return nullptr; }, kAnswer, WorkerNeeds::Com);
        ASSERT_TRUE(work.Ask(answers.Window(), 1));
        const HRESULT again = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        EXPECT_EQ(again, S_FALSE) << "the asking thread set the component system up before the worker started";
        if (SUCCEEDED(again))
            CoUninitialize();
        ASSERT_EQ(answers.Next(), 0);
        const auto first = work.TakeAnswer();
        ASSERT_TRUE(first && first->answer);
        DWORD_PTR result = 0;
        EXPECT_NE(SendMessageTimeoutW(first->answer, WM_NULL, 0, 0, SMTO_NORMAL, 3000, &result), 0)
            << "the waiting worker dispatches the calls made into its thread";

        ASSERT_TRUE(work.Ask(answers.Window(), 2));
        ASSERT_EQ(answers.Next(), 0) << "work that throws is answered all the same";
        const auto failed = work.TakeAnswer();
        ASSERT_TRUE(failed);
        EXPECT_EQ(failed->question, 2);
        EXPECT_EQ(failed->answer, nullptr);
    }).join();
}

TEST(Workers, EachQuestionOnAThreadOfItsOwnSoThatOneThatNeverReturnsHoldsUpNoOther)
{
    Answers answers;
    const KernelHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const HANDLE held = release.Get();
    WorkPerQuestion<int, int> work(
        [held](int question) {
            if (question == 1)
                WaitForSingleObject(held, INFINITE);
            if (question == 3)
                throw 3;
            return question * 10;
        },
        [](int question) { return -question; }, kAnswer);
    ASSERT_TRUE(work.Ask(answers.Window(), 11, 1));
    ASSERT_TRUE(work.Ask(answers.Window(), 12, 2));
    ASSERT_TRUE(work.Ask(answers.Window(), 13, 3));
    std::vector<std::string> seen;
    for (int i = 0; i < 3; ++i) {
        if (i == 2)
            SetEvent(release.Get());
        const long long id = answers.Next();
        const auto answer = work.TakeAnswer(static_cast<unsigned>(id));
        seen.push_back(std::to_string(id) + " " + (answer ? std::to_string(*answer) : "none"));
    }
    std::sort(seen.begin(), seen.begin() + 2);
    EXPECT_EQ(seen, (std::vector<std::string>{"12 20", "13 -3", "11 10"}));
}
