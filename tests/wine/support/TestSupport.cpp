#include "TestSupport.h"

#include "paths/AppPaths.h"
#include "settings/ProfileLayout.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

TestApp::TestApp()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Velquin");
    SetRegistryKey(profile::kCompany);
}

std::string ReadRawValue(HKEY root, const std::string& key, const std::string& name)
{
    DWORD type = 0, size = 0;
    const DWORD flags = RRF_RT_ANY | RRF_NOEXPAND;
    if (RegGetValueA(root, key.c_str(), name.c_str(), flags, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::string();
    std::string data(size, '\0');
    RegGetValueA(root, key.c_str(), name.c_str(), flags, nullptr, &data[0], &size);
    return std::to_string(type) + " " + data.substr(0, size);
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

RecorderCopy::RecorderCopy(const std::string& folderName, const std::string& programName)
    : folder(TempPath(folderName)), program(folder + "\\" + programName), record(folder + "\\record.txt")
{
    CreateDirectoryA(folder.c_str(), nullptr);
    const char* recorder = std::getenv("VELQUIN_RECORDER");
    copied = recorder && CopyFileA(recorder, program.c_str(), FALSE);
    SetEnvironmentVariableA("VELQUIN_RECORD", record.c_str());
}

RecorderCopy::~RecorderCopy()
{
    SetEnvironmentVariableA("VELQUIN_RECORD", nullptr);
    DeleteFileA(record.c_str());
    DeleteFileA(program.c_str());
    RemoveDirectoryA(folder.c_str());
}

std::pair<std::string, std::string> RecorderCopy::WaitForRecord() const
{
    for (int i = 0; i < 200; ++i, Sleep(50)) {
        const std::string text = ReadFile(record);
        const size_t first = text.find('\n');
        if (first != std::string::npos && text.back() == '\n' && text.size() > first + 1) {
            DeleteFileA(record.c_str());
            return {text.substr(0, first), text.substr(first + 1, text.size() - first - 2)};
        }
    }
    return {};
}
