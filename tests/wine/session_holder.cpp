// The session-end test's other program: it holds a window and appends, a line each, what the session's end
// asks of it to the file named on its command line: "query", then "end 1" or "end 0".
#include <windows.h>

#include <string>

namespace {

const wchar_t* g_record = nullptr;

void Record(const std::string& line)
{
    HANDLE file = CreateFileW(g_record, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const std::string text = line + "\n";
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_QUERYENDSESSION:
        Record("query");
        return TRUE;
    case WM_ENDSESSION:
        Record(wParam ? "end 1" : "end 0");
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count < 2)
        return 1;
    g_record = arguments[1];
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"VelquinSessionHolder";
    RegisterClassW(&windowClass);
    CreateWindowExW(0, windowClass.lpszClassName, L"Velquin session holder", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                    300, 200, nullptr, nullptr, instance, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
