// Launch tests' stand-in program: writes its command line and folder, a line each, to $VELQUIN_RECORD.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char record[MAX_PATH] = {}, folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("VELQUIN_RECORD", record, MAX_PATH))
        return 1;
    GetCurrentDirectoryA(MAX_PATH, folder);
    const std::string text = std::string(GetCommandLineA()) + "\n" + folder + "\n";
    HANDLE file = CreateFileA(record, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool wrote = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return wrote ? 0 : 1;
}
