// What Windows delivers to a window only when asked: a message from a program of lower integrity to a window
// of an elevated one (UIPI: a normal Explorer, a second start of a normal copy), and the session's changes
// (a lock, an unlock). Tests give a stand-in that delivers as Windows does; Wine knows neither rule.
#pragma once

#include <windows.h>

class MessageDelivery {
public:
    virtual ~MessageDelivery() = default;

    // Lets `message` reach `window` from any program of the session. Windows 7 allows it on that window;
    // Vista only on every window of the process.
    virtual bool AllowFromLowerIntegrity(HWND window, UINT message);
    // WM_WTSSESSION_CHANGE for this session to `window`, until it stops watching, at the latest before it goes.
    // wtsapi32 is loaded at the first call.
    virtual bool WatchSession(HWND window);
    virtual void StopWatchingSession(HWND window);
};

// The system's own.
MessageDelivery& SystemDelivery();
