// The app room: the start: the entry point, the application object, the single-instance guard.
//
// The application object: one per process. A second copy brings the running one's window forward and ends;
// otherwise it runs the main window.
#pragma once

#include "app/InstanceGuard.h"
#include "framework/App.h"
#include "framework/Handles.h"

inline constexpr const char* kAlreadyRunningText = "Velquin is already running in another window.";

class CVelquinApp : public App {
public:
    // Always false: the process ends when the main window has closed, or when a command has run.
    bool InitInstance() override;
    // What the process ends with: 0, or a command's failure.
    int ExitCode() const { return exitCode_; }

private:
    int exitCode_ = 0;
    // Held until the process exits; the system releases it even after a crash.
    KernelHandle instanceGuard_;
};
