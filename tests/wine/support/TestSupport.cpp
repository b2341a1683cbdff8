#include "TestSupport.h"

#include "framework/Com.h"
#include "framework/Unicode.h"
#include "paths/AppPaths.h"
#include "settings/ProfileLayout.h"

#include <shlobj.h>

#include <cstdlib>
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

bool MakeShortcut(const std::string& path, const std::string& target, const std::string& arguments,
                  const std::string& startIn, const std::string& iconFile)
{
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    if (FAILED(CreateComObject(CLSID_ShellLink, IID_IShellLinkW, link.ReceiveVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid())))
        return false;
    link->SetPath(Wide(target).c_str());
    link->SetArguments(Wide(arguments).c_str());
    link->SetWorkingDirectory(Wide(startIn).c_str());
    if (!iconFile.empty())
        link->SetIconLocation(Wide(iconFile).c_str(), 0);
    return SUCCEEDED(file->Save(Wide(path).c_str(), TRUE));
}

bool MakeFile(const std::string& path)
{
    const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

std::string ReadFile(const std::string& path)
{
    const HANDLE file =
        CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes.substr(0, read);
}

std::string TempPath(const std::string& name)
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return Utf8(folder) + name;
}

void CleanTestAppPaths()
{
    RefuseAppPathWrites(false);
    for (const HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        const AppPathTable table = root == HKEY_CURRENT_USER ? AppPathTable::User : AppPathTable::Machine;
        for (const std::string& name : ListAppPathNames(table)) {
            const bool parked = _strnicmp(name.c_str(), "Velquin respelling VqTest", 25) == 0;
            if (_strnicmp(name.c_str(), "VqTest", 6) == 0 || parked || name == "Velquin.exe")
                RegDeleteTreeW(root, Wide(std::string(kAppPathsKey) + "\\" + name).c_str());
        }
    }
}

void WriteOtherEntryValues(HKEY root, const std::string& key)
{
    const WideString entry = Wide(key), sub = Wide(key + "\\VqTestSub");
    const DWORD useUrl = 1;
    const wchar_t dropTarget[] = L"{6E1F6D42-2B4B-4F0B-9C55-7A3D6C1B2E10}";
    const wchar_t protocols[] = L"http\0https\0";  // and the list's own zero
    const wchar_t folder[] = L"%SystemRoot%\\Tools";
    RegSetKeyValueW(root, entry.c_str(), L"UseUrl", REG_DWORD, &useUrl, sizeof(useUrl));
    RegSetKeyValueW(root, entry.c_str(), L"DropTarget", REG_SZ, dropTarget, sizeof(dropTarget));
    RegSetKeyValueW(root, entry.c_str(), L"SupportedProtocols", REG_MULTI_SZ, protocols, sizeof(protocols));
    RegSetKeyValueW(root, sub.c_str(), L"Folder", REG_EXPAND_SZ, folder, sizeof(folder));
}

std::string OtherEntryValues(HKEY root, const std::string& key)
{
    return ReadRawValue(root, key, "UseUrl") + "|" + ReadRawValue(root, key, "DropTarget") + "|" +
           ReadRawValue(root, key, "SupportedProtocols") + "|" + ReadRawValue(root, key + "\\VqTestSub", "Folder");
}

RecorderCopy::RecorderCopy(const std::string& folderName, const std::string& programName)
    : folder(TempPath(folderName)), program(folder + "\\" + programName), record(folder + "\\record.txt")
{
    CreateDirectoryW(Wide(folder).c_str(), nullptr);
    const char* recorder = std::getenv("VELQUIN_RECORDER");
    copied = recorder && CopyFileW(Wide(recorder).c_str(), Wide(program).c_str(), FALSE);
    SetEnvironmentVariableW(L"VELQUIN_RECORD", Wide(record).c_str());
}

RecorderCopy::~RecorderCopy()
{
    SetEnvironmentVariableW(L"VELQUIN_RECORD", nullptr);
    for (const std::string& file : {record, program})
        DeleteFileW(Wide(file).c_str());
    RemoveDirectoryW(Wide(folder).c_str());
}

std::pair<std::string, std::string> RecorderCopy::WaitForRecord() const
{
    for (int i = 0; i < 200; ++i, Sleep(50)) {
        const std::string text = ReadFile(record);
        const size_t first = text.find('\n');
        if (first != std::string::npos && text.back() == '\n' && text.size() > first + 1) {
            DeleteFileW(Wide(record).c_str());
            return {text.substr(0, first), text.substr(first + 1, text.size() - first - 2)};
        }
    }
    return {};
}
