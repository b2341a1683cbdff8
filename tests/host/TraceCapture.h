// The host tests' debug output: every Trace() line, kept for the test to read.
#pragma once

#include <string>
#include <vector>

// Starts empty for the current test and collects what is traced while it lives.
class TraceCapture {
public:
    TraceCapture();
    ~TraceCapture();
    const std::vector<std::string>& Lines() const;
};
