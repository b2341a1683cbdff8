#include "framework/Trace.h"

#include <windows.h>

void Trace(const std::string& line)
{
    OutputDebugStringA(line.c_str());
}
