#include "framework/Registry.h"

#include "framework/ProfileStore.h"
#include "framework/Text.h"
#include "framework/Unicode.h"

#include <algorithm>
#include <vector>

RegKey RegKey::Open(HKEY root, const std::string& path, REGSAM access)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, Wide(path).c_str(), 0, access, &key) != ERROR_SUCCESS)
        return RegKey();
    return RegKey(key);
}

RegKey RegKey::Create(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, Wide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return RegKey();
    return RegKey(key);
}

std::optional<std::string> RegKey::ReadString(const std::string& name, bool* expandable) const
{
    return ReadText(name, expandable, true);
}

std::optional<std::string> RegKey::ReadShortString(const std::string& name, bool* expandable) const
{
    return ReadText(name, expandable, false);
}

std::optional<std::string> RegKey::ReadText(const std::string& name, bool* expandable, bool anyLength) const
{
    if (!key_)
        return std::nullopt;
    // Most texts fit a path buffer, 259 characters and their zero: one query. A longer one is read again at
    // its size where any length is wanted.
    const WideString wideName = Wide(name);
    wchar_t buffer[260];
    std::vector<wchar_t> large;
    wchar_t* data = buffer;
    DWORD type = 0;
    DWORD size = sizeof(buffer);
    const auto query = [&] {
        return RegQueryValueExW(key_.Get(), wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    };
    LONG result = query();
    if (result == ERROR_MORE_DATA && anyLength) {
        large.resize(size / sizeof(wchar_t) + 1);
        data = large.data();
        result = query();
    }
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    if (expandable)
        *expandable = type == REG_EXPAND_SZ;
    // Stored texts need not carry their zero; stop at the first one when they do. A short text stored
    // without it is cut at 259 characters.
    const size_t stored = size / sizeof(wchar_t);
    return Utf8(data, static_cast<int>(wcsnlen(data, anyLength ? stored : std::min<size_t>(stored, 259))));
}

std::optional<DWORD> RegKey::ReadDword(const std::string& name) const
{
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (!key_ ||
        RegQueryValueExW(key_.Get(), Wide(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        return std::nullopt;
    return value;
}

bool RegKey::WriteString(const std::string& name, const std::string& value, bool expandable)
{
    if (!key_ || Utf16Length(value) > kMaxProfileText)
        return false;
    const WideString text = Wide(value);
    return RegSetValueExW(key_.Get(), Wide(name).c_str(), 0, expandable ? REG_EXPAND_SZ : REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool RegKey::WriteDword(const std::string& name, DWORD value)
{
    return key_ && RegSetValueExW(key_.Get(), Wide(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                  sizeof(value)) == ERROR_SUCCESS;
}

bool RegKey::DeleteValue(const std::string& name)
{
    return key_ && RegDeleteValueW(key_.Get(), Wide(name).c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> RegKey::ValueNames() const
{
    std::vector<std::string> names;
    if (!key_)
        return names;
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];  // the longest value name the registry allows
        DWORD size = 16384;
        if (RegEnumValueW(key_.Get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.push_back(Utf8(name, static_cast<int>(size)));
    }
    return names;
}

std::vector<std::string> RegKey::SubkeyNames() const
{
    std::vector<std::string> names;
    if (!key_)
        return names;
    for (DWORD index = 0;; ++index) {
        wchar_t name[512];
        DWORD size = 512;
        if (RegEnumKeyExW(key_.Get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.push_back(Utf8(name, static_cast<int>(size)));
    }
    return names;
}
