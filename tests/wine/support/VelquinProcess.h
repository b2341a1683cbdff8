// Velquin.exe as a process of its own, and the windows it shows, seen from another process.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The program under test, from VELQUIN_EXE.
std::string VelquinExe();

// A started copy of Velquin; ended by force if a test leaves it running.
class Process {
public:
    // Started from the given folder, or from this process's own.
    explicit Process(const std::string& folder = std::string())
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        std::string command = "\"" + VelquinExe() + "\"";
        started_ = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                  folder.empty() ? nullptr : folder.c_str(), &startup, &info_) != FALSE;
    }
    ~Process()
    {
        if (!started_)
            return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 99);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    bool Started() const { return started_; }
    DWORD Id() const { return info_.dwProcessId; }

    // The exit code, or STILL_ACTIVE when it has not ended within the time.
    DWORD WaitForExit(DWORD ms = 15000) const
    {
        WaitForSingleObject(info_.hProcess, ms);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION info_ = {};
    bool started_ = false;
};

std::vector<HWND> WindowsOf(DWORD processId, bool visibleOnly);
std::vector<HWND> VisibleWindowsOf(DWORD processId);
HWND WaitForWindow(DWORD processId, const std::function<bool(HWND)>& wanted, DWORD ms = 20000);
HWND WaitForMainWindow(const Process& process);
HWND WaitForMessageBox(const Process& process);
