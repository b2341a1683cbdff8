// The global hotkey that brings the window forward from anywhere: stored as a hotkey control's value,
// the virtual key in the low byte and the HOTKEYF_ flags in the high byte.
#pragma once

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
