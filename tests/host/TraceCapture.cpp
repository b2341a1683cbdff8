#include "TraceCapture.h"

#include "framework/Trace.h"

namespace {

std::vector<std::string> g_lines;

}  // namespace

void Trace(const std::string& line)
{
    g_lines.push_back(line);
}

TraceCapture::TraceCapture()
{
    g_lines.clear();
}

TraceCapture::~TraceCapture()
{
    g_lines.clear();
}

const std::vector<std::string>& TraceCapture::Lines() const
{
    return g_lines;
}
