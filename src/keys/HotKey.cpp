#include "keys/HotKey.h"

namespace {

// The hotkey control's flags, and RegisterHotKey's for the same keys.
constexpr unsigned kShiftFlag = 0x01, kControlFlag = 0x02, kAltFlag = 0x04;
constexpr unsigned kAltModifier = 0x0001, kControlModifier = 0x0002, kShiftModifier = 0x0004;
constexpr unsigned kNoRepeat = 0x4000;  // held down, the keys act once
constexpr unsigned kKeyR = 0x52;
constexpr unsigned kPowerBroadcast = 0x0218, kResumeSuspend = 0x0007, kResumeAutomatic = 0x0012;
constexpr unsigned kSessionChange = 0x02B1, kSessionUnlock = 0x0008;

}  // namespace

HotKeyParts SplitHotKey(int value)
{
    const unsigned flags = (static_cast<unsigned>(value) >> 8) & 0xFF;
    unsigned modifiers = kNoRepeat;
    if (flags & kShiftFlag)
        modifiers |= kShiftModifier;
    if (flags & kControlFlag)
        modifiers |= kControlModifier;
    if (flags & kAltFlag)
        modifiers |= kAltModifier;
    return {modifiers, static_cast<unsigned>(value) & 0xFF};
}

std::string HotKeyText(int value, const std::string& keyName)
{
    const unsigned flags = (static_cast<unsigned>(value) >> 8) & 0xFF;
    std::string text;
    if (flags & kControlFlag)
        text += "Ctrl+";
    if (flags & kAltFlag)
        text += "Alt+";
    if (flags & kShiftFlag)
        text += "Shift+";
    return text + keyName;
}

std::string HotKeyInUseText(const std::string& keys)
{
    return "Another program already uses " + keys +
           ".  Velquin keeps it as its hotkey and tries it again the next time it starts.";
}

bool RenewsWinRHook(unsigned message, std::uintptr_t kind)
{
    if (message == kPowerBroadcast)
        return kind == kResumeAutomatic || kind == kResumeSuspend;
    return message == kSessionChange && kind == kSessionUnlock;
}

KeyVerdict WinRShortcut::OnKey(unsigned key, bool down, unsigned held, unsigned long time)
{
    if (key != kKeyR) {
        if (down && taken_)
            ForgetR();
        return KeyVerdict::Pass;
    }
    if (!down) {
        const bool taken = taken_;
        ForgetR();
        return taken ? KeyVerdict::Swallow : KeyVerdict::Pass;
    }
    if (rHeld_ && time - lastR_ > repeatDelay_)
        ForgetR();  // its release went unseen: this is a new press
    lastR_ = time;
    if (rHeld_)  // a repeat goes where its press went
        return taken_ ? KeyVerdict::Swallow : KeyVerdict::Pass;
    rHeld_ = true;
    // Win+Shift+R and the like belong to other programs.
    if (held != kWinHeld)
        return KeyVerdict::Pass;
    taken_ = true;
    return KeyVerdict::Open;
}

void WinRShortcut::ForgetR()
{
    rHeld_ = taken_ = false;
}
