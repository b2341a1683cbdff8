// Start-up time and memory of Velquin.exe against the bare dialog program, runs interleaved.
//   startup_bench <runs> [settle-ms] <program> <program> ...   prints one line per program: median ms, median KB
// The working set is read once the window has settled for settle-ms (300 unless given). A program given as
// "path?Name=n" starts with the DWORD Settings/Name of Velquin's profile set to n: one program measured
// with a preference on and off, interleaved.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Sample {
    double milliseconds;
    double kilobytes;
};

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[16] = {};
    GetClassNameA(window, name, sizeof(name));
    if (owner == search->processId && IsWindowVisible(window) && std::string(name) == "#32770") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

DWORD g_settle = 300;

// "path?Name=n": the path; the setting written first.
std::string Prepare(const std::string& program)
{
    const size_t mark = program.find('?');
    const size_t equals = program.find('=', mark);
    if (mark == std::string::npos || equals == std::string::npos)
        return program;
    const std::string name = program.substr(mark + 1, equals - mark - 1);
    const DWORD value = static_cast<DWORD>(std::atoi(program.c_str() + equals + 1));
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Velquin\\VELQUIN\\Settings", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
        RegCloseKey(key);
    }
    return program.substr(0, mark);
}

bool Measure(const std::string& given, Sample& sample)
{
    const std::string program = Prepare(given);
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    std::string command = "\"" + program + "\"";
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;

    Search search{info.dwProcessId, nullptr};
    for (int i = 0; i < 20000 && !search.found; ++i) {
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(1);
    }
    QueryPerformanceCounter(&now);
    sample.milliseconds = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                          static_cast<double>(frequency.QuadPart);

    Sleep(g_settle);  // settled: the window painted, the tray icon in place
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(info.hProcess, &memory, sizeof(memory));
    sample.kilobytes = static_cast<double>(memory.WorkingSetSize) / 1024.0;

    if (search.found)
        PostMessageA(search.found, WM_COMMAND, IDCANCEL, 0);
    if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    Sleep(250);  // the shell has put away what the program left (its tray icon): the next start begins on a quiet system
    return search.found != nullptr;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const int runs = std::atoi(argv[1]);
    if (argv[2][0] >= '0' && argv[2][0] <= '9') {
        g_settle = static_cast<DWORD>(std::atoi(argv[2]));
        ++argv;
        --argc;
    }
    std::vector<std::vector<Sample>> samples(static_cast<size_t>(argc - 2));
    // Each round starts with the next program: what one program leaves behind (the shell tidying away its
    // tray icon, say) falls on each of the others in turn, not always on the same one.
    const int programs = argc - 2;
    for (int run = 0; run < runs; ++run) {
        for (int i = 0; i < programs; ++i) {
            const int p = 2 + (run + i) % programs;
            Sample sample{};
            if (!Measure(argv[p], sample)) {
                std::fprintf(stderr, "no window from %s\n", argv[p]);
                return 1;
            }
            samples[static_cast<size_t>(p - 2)].push_back(sample);
        }
    }
    for (int p = 2; p < argc; ++p) {
        std::vector<double> ms, kb;
        for (const Sample& s : samples[static_cast<size_t>(p - 2)]) {
            ms.push_back(s.milliseconds);
            kb.push_back(s.kilobytes);
        }
        std::printf("%s %.1f %.0f\n", argv[p], Median(ms), Median(kb));
    }
    return 0;
}
