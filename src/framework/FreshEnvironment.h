// The process's environment follows the user's: when the system says the variables changed, a fresh logon's
// block is made on a thread of its own (userenv reads the registry: the machine's, the user's, the volatile
// ones, and the user's own name from the token), and the window's thread applies it.
#pragma once

#include "framework/Environment.h"
#include "framework/Lock.h"
#include "framework/NewestAnswer.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class FreshEnvironment {
public:
    // The block comes back as this message.
    explicit FreshEnvironment(UINT message) : message_(message), shared_(std::make_unique<Shared>()) {}

    // Once, after the first paint: the names the registry gives variables now, so that one the user deletes
    // later is not taken for the process's own. (Nothing else is loaded for it: the block is made at a change.)
    void NoteRegistryNames();
    // WM_SETTINGCHANGE for "Environment".
    void OnChanged(HWND window);
    // The block's message: true when the process's environment was made again.
    bool OnBlock();

    // For the tests: the registry's names are noted.
    bool Noted() const { return registryNames_.has_value(); }

private:
    struct Shared {
        Lock lock;
        NewestAnswer<Variables> logon;  // none when the system could not make one
    };

    const UINT message_;
    std::shared_ptr<Shared> shared_;
    std::optional<std::vector<std::string>> registryNames_;
    std::optional<std::vector<std::string>> own_;  // known at the first change, for good
    unsigned asked_ = 0;                           // blocks asked for so far: each thread's number
};
