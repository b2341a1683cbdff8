// What came of asking the shell to open something, and the message a failure gets.
#pragma once

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
    Cancelled,  // the user declined, as at the elevation prompt: nothing to say
};

// A return value above 32 is success, whatever the last-error code says. At or below 32 it is a failure:
// the last-error code names it when it is one of the six known codes, the return value otherwise.
LaunchFailure JudgeOpen(const OpenResult& result);

// The message for a failure; the display name is what the user typed for the program.
std::string FailureMessage(LaunchFailure failure, const std::string& displayName);
