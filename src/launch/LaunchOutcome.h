// What came of asking the shell to open something, and the message a failure gets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct OpenResult {
    std::intptr_t returnValue = 0;  // the shell's answer: above 32 means it opened the program
    unsigned long lastError = 0;    // the thread's last-error code right after the call (cleared before it)
};

enum class LaunchFailure {
    None,
    FileNotFound,
    AccessDenied,
    OutOfMemory,
    SharingViolation,
    BadFormat,
    NoAssociation,
    Cancelled,    // the user declined, as at the elevation prompt: nothing to say
    SystemError,  // the launch could not be made: the system's text for the error code says why
};

// A return value above 32 is success, whatever the last-error code says. At or below 32 it is a failure:
// the last-error code names it when it is one of the six known codes, the return value otherwise.
LaunchFailure JudgeOpen(const OpenResult& result);

// The message for a failure; the display name is what the user typed for the program. A SystemError has the
// system's own text instead.
std::string FailureMessage(LaunchFailure failure, const std::string& displayName);

// A launch as asked for, and what came of it.
struct LaunchRequest {
    std::string text;          // trimmed: the box's text as it was when OK was pressed, or a history entry
    bool elevated = false;     // the shell's "runas"
    int showCommand = 1;
    bool wantFullPath = false; // "Add to my path" will enter the program
    bool onWorker = false;     // on a thread that ends after the launch: the shell must finish there
};

struct LaunchResult {
    LaunchFailure failure = LaunchFailure::None;
    std::string displayName;   // what a failure message names: what the user typed for the program
    std::size_t typedLength = 0;  // UTF-16 units of the text that name the program, quotes included
    std::string fullPath;      // the program's full path, when asked for and found
    unsigned long errorCode = 0;  // for a SystemError
};
