// Diagnostic lines for a debugger's eyes only (the user never sees them).
#pragma once

#include <string>

// Writes the line as it is (callers end it with "\n"). On Windows it goes to the debug output.
void Trace(const std::string& line);
