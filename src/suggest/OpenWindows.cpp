#include "suggest/OpenWindows.h"

#include "suggest/SourceText.h"
#include "text/CommandText.h"

bool IsSwitchable(const WindowFacts& window)
{
    return window.visible && !window.owned && (!window.toolWindow || window.appWindow) && !window.noActivate &&
           !window.title.empty() && !window.cloaked && !window.ours && !window.shell;
}

std::vector<WindowLine> WindowLines(const std::vector<WindowFacts>& windows, FoldText fold)
{
    std::vector<WindowLine> lines;
    for (const WindowFacts& window : windows) {
        if (!IsSwitchable(window))
            continue;
        Candidate line{window.title, window.title, window.program, Source::Window};
        lines.push_back({Indexed(std::move(line), fold),
                         window.program.empty() ? std::string() : fold(WithoutExtension(NameOf(window.program))),
                         window.handle, window.program, fold("window:" + window.program)});
    }
    return lines;
}
