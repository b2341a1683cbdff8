#include "TestSupport.h"

#include "paths/AppPaths.h"
#include "settings/ProfileLayout.h"

#include <fstream>
#include <iterator>
#include <vector>

TestApp::TestApp()
{
    SetRegistryKey(profile::kCompany);
}

std::optional<RawValue> ReadRawValue(HKEY root, const std::string& key, const std::string& name)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return std::nullopt;
    RawValue value;
    DWORD size = 0;
    std::optional<RawValue> result;
    if (RegQueryValueExA(handle, name.c_str(), nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<char> data(size);
        if (RegQueryValueExA(handle, name.c_str(), nullptr, &value.type, reinterpret_cast<BYTE*>(data.data()),
                             &size) == ERROR_SUCCESS) {
            value.data.assign(data.data(), size);
            result = value;
        }
    }
    RegCloseKey(handle);
    return result;
}

bool KeyExists(HKEY root, const std::string& key)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string TempPath(const std::string& name)
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

void CleanTestAppPaths()
{
    RefuseAppPathWrites(false);
    for (const HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        const AppPathTable table = root == HKEY_CURRENT_USER ? AppPathTable::User : AppPathTable::Machine;
        for (const std::string& name : ListAppPathNames(table)) {
            if (_strnicmp(name.c_str(), "VqTest", 6) == 0 || name == "Velquin.exe")
                RegDeleteTreeA(root, (std::string(kAppPathsKey) + "\\" + name).c_str());
        }
    }
}
