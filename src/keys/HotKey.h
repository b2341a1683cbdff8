// The global hotkey that brings the window forward from anywhere: stored as a hotkey control's value,
// the virtual key in the low byte and the HOTKEYF_ flags in the high byte.
#pragma once

#include <cstdint>
#include <string>

inline constexpr int kDefaultHotKey = 0x0652;  // Ctrl+Alt+R

struct HotKeyParts {
    unsigned modifiers;  // MOD_ flags for RegisterHotKey
    unsigned key;        // the virtual key
};

HotKeyParts SplitHotKey(int value);
// "Ctrl+Alt+R": the modifiers held, then the key's own name.
std::string HotKeyText(int value, const std::string& keyName);
// What the user is told when another program holds the keys.
std::string HotKeyInUseText(const std::string& keys);

// The modifiers held while a key goes through the keyboard hook, one bit each.
inline constexpr unsigned kWinHeld = 1, kShiftHeld = 2, kControlHeld = 4, kAltHeld = 8;

// Whether a notice of the system says that the Win+R hook may be gone: Windows removes a low-level hook that
// misses its time-out without a word, as after a resume from sleep. A resume (WM_POWERBROADCAST, automatic or
// by the user) and an unlock of the session (WM_WTSSESSION_CHANGE) do; the rest of either does not.
bool RenewsWinRHook(unsigned message, std::uintptr_t kind);

// What the hook does with a key: lets it through, keeps it from everyone, or keeps it and opens Velquin.
enum class KeyVerdict { Pass, Swallow, Open };

// "Open with Win+R": takes Win+R, and only that, from the system. Held down, the keys open once; the R's
// repeats and its release go with it, so no program sees a stray R. Only an R the hook saw go down is taken:
// one already held when Win went down belongs to the program that has its press.
class WinRShortcut {
public:
    // The system's keyboard delay in milliseconds: no repeat comes later than that after the key before.
    explicit WinRShortcut(unsigned long repeatDelay = 1000) : repeatDelay_(repeatDelay) {}

    // `time`: the key event's time stamp in milliseconds.
    KeyVerdict OnKey(unsigned key, bool down, unsigned held, unsigned long time);

private:
    // An R release can happen where the hook never sees it (the lock screen, an elevation prompt): a held R
    // is forgotten when an R comes later than a repeat could, and a taken one also when another key goes down.
    void ForgetR();

    unsigned long repeatDelay_;
    bool rHeld_ = false;  // the hook saw R go down and not yet up
    bool taken_ = false;  // that R was taken
    unsigned long lastR_ = 0;
};
