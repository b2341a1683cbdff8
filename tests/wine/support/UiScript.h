// Drives real dialogs and message boxes from inside their modal loops.
//
// A thread timer ticks while any modal loop of the thread runs. Each tick runs at most one step: a step
// waits until its condition holds, then runs its action. An action may open another modal loop (a click
// that shows a message box); the following steps then run inside that loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct MessageBoxSeen {
    std::string caption, text;
    int buttonCount = 0;
    // "caption | text | icon | buttons | the default button"; the icon is error, question, warning,
    // information or none.
    std::string summary;
};

class UiScript {
public:
    explicit UiScript(DWORD timeoutMs = 20000);
    ~UiScript();
    UiScript(const UiScript&) = delete;
    UiScript& operator=(const UiScript&) = delete;

    // Waits for the condition, then runs the action once.
    UiScript& When(std::function<bool()> condition, std::function<void()> action);
    // Runs the action at the next tick.
    UiScript& Then(std::function<void()> action);
    // Waits until a dialog of this thread with this caption is shown; its handle goes to *window.
    UiScript& WaitForDialog(const std::string& caption, HWND* window);
    // Waits for a message box of this thread, records it and presses the button with this id.
    UiScript& AnswerMessageBox(MessageBoxSeen* seen, int buttonId);

    // True once every step has run, and the windows did not have to be closed for running out of time.
    bool Finished() const { return next_ == steps_.size() && !timedOut_; }

private:
    struct Step {
        std::function<bool()> condition;
        std::function<void()> action;
    };
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    std::vector<Step> steps_;
    size_t next_ = 0;
    UINT_PTR timer_ = 0;
    DWORD deadline_;  // then the thread's windows are closed to free the test
    bool timedOut_ = false;
};

// Windows of this thread, visible ones only.
HWND FindThreadWindow(const std::function<bool(HWND)>& wanted);
HWND FindThreadDialog(const std::string& caption);   // visible dialog-class window with this caption
HWND FindMessageBox();                               // visible message box, if any
MessageBoxSeen ReadMessageBox(HWND box);
// Also for windows of other processes.
bool Enabled(HWND dialog, int controlId);
std::string WindowText(HWND window);
std::string ClassOf(HWND window);
bool IsMessageBox(HWND window);

// Input as the user gives it, posted so that a step never blocks.
void Click(HWND dialog, int controlId);              // the control's BN_CLICKED, as a mouse click sends it
void PressKey(HWND window, UINT virtualKey);         // WM_KEYDOWN + WM_KEYUP through the dialog's keyboard handling
void TypeText(HWND window, const std::string& text); // per character a key press and the character it makes

// Sends window messages to end every visible window and every dialog of this thread (used when a script runs
// out of time).
void CloseThreadWindows();
