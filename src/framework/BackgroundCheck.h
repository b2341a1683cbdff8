// A yes-or-no question about a text, answered on one worker thread so that the window never waits for it:
// a file search on a network path can block for seconds. A new question replaces one not yet started;
// each answer is posted to the window as a message, and the window collects it with TakeAnswer.
#pragma once

#include "framework/Handles.h"

#include <memory>
#include <optional>
#include <string>

class BackgroundCheck {
public:
    using Question = bool (*)(const std::string& text);
    struct Answer {
        std::string text;
        bool yes;
    };

    BackgroundCheck(Question question, UINT message);
    // Does not wait: a worker blocked on the network stops when its search returns, or with the process.
    ~BackgroundCheck();
    BackgroundCheck(const BackgroundCheck&) = delete;
    BackgroundCheck& operator=(const BackgroundCheck&) = delete;

    void Ask(HWND window, const std::string& text);
    std::optional<Answer> TakeAnswer();

    struct State;

private:
    std::shared_ptr<State> state_;
    UniqueHandle<KernelHandleTraits> worker_;
};
