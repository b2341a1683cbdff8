// A stand-in program for launch tests: it writes its command line and working directory to the file
// named by VELQUIN_RECORD, then ends.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char record[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("VELQUIN_RECORD", record, MAX_PATH))
        return 1;
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    const std::string text = std::string(GetCommandLineA()) + "\n" + folder + "\n";

    // Written aside and moved into place, so a reader never sees half of it.
    const std::string partial = std::string(record) + ".part";
    HANDLE file = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return MoveFileExA(partial.c_str(), record, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
