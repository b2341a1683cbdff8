#include "framework/Trace.h"

#include "framework/Unicode.h"

#include <windows.h>

void Trace(const std::string& line)
{
    OutputDebugStringW(Wide(line).c_str());
}
