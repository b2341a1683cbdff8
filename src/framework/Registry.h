// A registry key, opened for one operation and closed when the object goes.
#pragma once

#include "framework/Handles.h"

#include <optional>
#include <string>
#include <vector>

class RegKey {
public:
    RegKey() = default;

    // An empty key (false) when the path cannot be opened or created.
    static RegKey Open(HKEY root, const std::string& path, REGSAM access = KEY_READ);
    static RegKey Create(HKEY root, const std::string& path);

    explicit operator bool() const { return static_cast<bool>(key_); }
    HKEY Get() const { return key_.Get(); }

    // Nothing when the value is missing or of another type (REG_SZ or REG_EXPAND_SZ; REG_DWORD). Whether it
    // is REG_EXPAND_SZ goes to `expandable` when given.
    std::optional<std::string> ReadString(const std::string& name, bool* expandable = nullptr) const;
    std::optional<DWORD> ReadDword(const std::string& name) const;
    // A text that fits a 260-character buffer, as the history, the Run history and App Paths are read:
    // nothing when it is missing, of another type or longer; whether it is REG_EXPAND_SZ.
    std::optional<std::string> ReadShortString(const std::string& name, bool* expandable = nullptr) const;

    // REG_SZ with its terminating zero, or REG_EXPAND_SZ when the text holds %NAME% references the reader is to
    // expand. Texts over 259 characters are refused and nothing is written.
    bool WriteString(const std::string& name, const std::string& value, bool expandable = false);
    bool WriteDword(const std::string& name, DWORD value);
    bool DeleteValue(const std::string& name);

    // Names of the key's values and of its direct subkeys, in the order the registry enumerates them.
    std::vector<std::string> ValueNames() const;
    std::vector<std::string> SubkeyNames() const;

private:
    explicit RegKey(HKEY key) : key_(key) {}
    std::optional<std::string> ReadText(const std::string& name, bool* expandable, bool anyLength) const;

    UniqueHandle<RegKeyTraits> key_;
};
