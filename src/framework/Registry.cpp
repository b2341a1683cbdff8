#include "framework/Registry.h"

#include "settings/ProfileStore.h"

#include <vector>

RegKey RegKey::Open(HKEY root, const std::string& path, REGSAM access)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, access, &key) != ERROR_SUCCESS)
        return RegKey();
    return RegKey(key);
}

RegKey RegKey::Create(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return RegKey();
    return RegKey(key);
}

std::optional<std::string> RegKey::ReadString(const std::string& name) const
{
    if (!key_)
        return std::nullopt;
    // Most texts fit a path buffer: one query. A longer one is read again at its size.
    char buffer[260];
    DWORD type = 0;
    DWORD size = sizeof(buffer);
    LONG result = RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    std::vector<char> large;
    char* data = buffer;
    if (result == ERROR_MORE_DATA) {
        large.resize(size + 1);
        data = large.data();
        result = RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    }
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    // Stored texts need not carry their zero; stop at the first one when they do.
    return std::string(data, strnlen(data, size));
}

std::optional<DWORD> RegKey::ReadDword(const std::string& name) const
{
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (!key_ ||
        RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        return std::nullopt;
    return value;
}

bool RegKey::WriteString(const std::string& name, const std::string& value, bool expandable)
{
    if (!key_ || value.size() > kMaxProfileText)
        return false;
    return RegSetValueExA(key_.Get(), name.c_str(), 0, expandable ? REG_EXPAND_SZ : REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool RegKey::WriteDword(const std::string& name, DWORD value)
{
    return key_ && RegSetValueExA(key_.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                  sizeof(value)) == ERROR_SUCCESS;
}

bool RegKey::DeleteValue(const std::string& name)
{
    return key_ && RegDeleteValueA(key_.Get(), name.c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> RegKey::ValueNames() const
{
    std::vector<std::string> names;
    if (!key_)
        return names;
    for (DWORD index = 0;; ++index) {
        char name[16384];  // the longest value name the registry allows
        DWORD size = sizeof(name);
        if (RegEnumValueA(key_.Get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, size);
    }
    return names;
}

std::vector<std::string> RegKey::SubkeyNames() const
{
    std::vector<std::string> names;
    if (!key_)
        return names;
    for (DWORD index = 0;; ++index) {
        char name[512];
        DWORD size = sizeof(name);
        if (RegEnumKeyExA(key_.Get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, size);
    }
    return names;
}
