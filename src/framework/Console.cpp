#include "framework/Console.h"

#include "framework/Handles.h"
#include "framework/Unicode.h"

#include <windows.h>

namespace {

bool Say(HANDLE out, const std::string& text)
{
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(out, &mode)) {
        const WideString wide = Wide(text);
        return WriteConsoleW(out, wide.c_str(), static_cast<DWORD>(wide.size()), &written, nullptr);
    }
    return WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);  // UTF-8 to a file
}

}  // namespace

void SayToConsole(const std::string& line)
{
    const std::string text = line + "\r\n";
    const HANDLE given = GetStdHandle(STD_OUTPUT_HANDLE);
    if (given && given != INVALID_HANDLE_VALUE && Say(given, text))
        return;
    // A window program gets no console of its own: it borrows the one it was started from, if any.
    if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED)
        return;
    const FileHandle console(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
    if (console)
        Say(console.Get(), text);
}
