#include "framework/Trace.h"

#include <windows.h>

#include <vector>

void Trace(const std::string& line)
{
    // UTF-8 inside, UTF-16 for the debugger.
    std::vector<wchar_t> wide(line.size() + 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, line.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    OutputDebugStringW(wide.data());
}
