// Launch tests' stand-in program: writes its command line and folder, a line each, to $VELQUIN_RECORD (UTF-8).
#include <windows.h>

#include <string>

namespace {

std::string Utf8(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &narrow[0], static_cast<int>(narrow.size()), nullptr, nullptr);
    return narrow.c_str();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    wchar_t record[MAX_PATH] = {}, folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"VELQUIN_RECORD", record, MAX_PATH))
        return 1;
    GetCurrentDirectoryW(MAX_PATH, folder);
    const std::string text = Utf8(GetCommandLineW()) + "\n" + Utf8(folder) + "\n";
    HANDLE file = CreateFileW(record, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool wrote = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return wrote ? 0 : 1;
}
