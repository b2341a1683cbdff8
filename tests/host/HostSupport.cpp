#include "HostSupport.h"

#include "framework/Trace.h"

std::vector<std::string> g_traced;

void Trace(const std::string& line)
{
    g_traced.push_back(line);
}
