// Other programs' windows as lines of the list: switching to a window instead of starting a second copy.
#pragma once

#include "suggest/Candidate.h"

#include <cstdint>
#include <string>
#include <vector>

// What the system says of a top-level window, read without a message to it.
struct WindowFacts {
    std::uintptr_t handle = 0;
    std::string title;
    std::string program;  // its process's file; empty when the process would not say
    bool visible = false;
    bool owned = false;
    bool toolWindow = false;  // WS_EX_TOOLWINDOW
    bool appWindow = false;   // WS_EX_APPWINDOW
    bool noActivate = false;  // WS_EX_NOACTIVATE
    bool cloaked = false;     // on another virtual desktop, or a suspended app's
    bool ours = false;        // Velquin's own
    bool shell = false;       // the desktop or the taskbar
};

// The windows Alt+Tab shows: visible, not owned, not a tool window unless an app window, activated by a
// click, titled, not cloaked; never Velquin's own, the desktop or the taskbar.
bool IsSwitchable(const WindowFacts& window);

// A switchable window's line: its title, which Down puts into the box.
struct WindowLine {
    IndexedCandidate line;      // matched by the title
    std::string foldedProgram;  // the program's file name without its extension, folded: matched too
    std::uintptr_t handle = 0;
    std::string program;
    std::string learnedCommand;  // "window:" and the program, folded: what the learning keeps of a switch
};
std::vector<WindowLine> WindowLines(const std::vector<WindowFacts>& windows, FoldText fold);
