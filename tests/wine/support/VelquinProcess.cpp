#include "VelquinProcess.h"

#include "UiScript.h"

#include <cstdlib>

std::string VelquinExe()
{
    const char* path = std::getenv("VELQUIN_EXE");
    return path ? path : "Velquin.exe";
}

namespace {

struct WindowSearch {
    DWORD processId;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisibleWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && (!search->visibleOnly || IsWindowVisible(window)))
        search->found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> WindowsOf(DWORD processId, bool visibleOnly)
{
    WindowSearch search{processId, visibleOnly, {}};
    EnumWindows(CollectVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> VisibleWindowsOf(DWORD processId)
{
    return WindowsOf(processId, true);
}

HWND WaitForWindow(DWORD processId, const std::function<bool(HWND)>& wanted, DWORD ms)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(50)) {
        for (HWND window : VisibleWindowsOf(processId)) {
            if (wanted(window))
                return window;
        }
    }
    return nullptr;
}

HWND WaitForMainWindow(const Process& process)
{
    return WaitForWindow(process.Id(), [](HWND w) {
        return ClassOf(w) == "#32770" && WindowText(w) == "Velquin" && GetDlgItem(w, 1000) != nullptr;
    });
}

HWND WaitForMessageBox(const Process& process)
{
    return WaitForWindow(process.Id(), IsMessageBox);
}

