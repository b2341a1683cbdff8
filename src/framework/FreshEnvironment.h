// The process's environment follows the user's: when the system says the variables changed, a fresh logon's
// block is made on a worker (userenv reads the registry: the machine's, the user's, the volatile ones, and the
// user's own name from the token), and the window's thread applies it.
#pragma once

#include "framework/BackgroundWork.h"
#include "framework/Environment.h"

#include <optional>
#include <string>
#include <vector>

class FreshEnvironment {
public:
    // The worker answers with this message.
    explicit FreshEnvironment(UINT message);

    // Once, after the first paint: which variables are the process's own, kept at every change.
    void NoteOwnVariables(HWND window);
    // WM_SETTINGCHANGE for "Environment".
    void OnChanged(HWND window);
    // The worker's answer: true when the process's environment was made again.
    bool OnAnswer(HWND window);

    // For the tests: the own variables are known.
    bool Noted() const { return own_.has_value(); }

private:
    // A logon's block; none when the system could not make one.
    BackgroundWork<bool, std::optional<Variables>> worker_;
    std::optional<std::vector<std::string>> own_;
    bool changePending_ = false;  // a change came before the own variables were known
};
