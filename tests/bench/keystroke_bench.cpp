// Keystroke to list under Wine: from a key's message to the end of the suggestion list's paint, with 20,000
// indexed names, in the real main window.
//   keystroke_bench <keys>   prints: median ms, the number of keys and of names
#include "TestSupport.h"

#include "res/resource.h"
#include "settings/SettingsRecord.h"
#include "window/VelquinDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

class ManyNames : public ShellSuggestSystem {
public:
    IndexSources ReadIndexSources() override
    {
        const char* words[] = {"Visual", "Studio", "Code", "Paint", "Office", "Word", "Excel", "Media",
                               "Player", "Tools", "Setup", "Update", "Manager", "Viewer", "Editor", "Git"};
        IndexSources sources;
        for (int i = 0; i < 16700; ++i)
            sources.shortcuts.push_back({"C:\\Menu\\" + std::string(words[i % 16]) + " " + words[(i / 16) % 16] + " " +
                                             std::to_string(i) + ".lnk",
                                         "", false, false});
        for (int i = 0; i < 300; ++i)
            sources.appPaths.push_back({"app" + std::to_string(i) + ".exe", "C:\\Apps\\app.exe"});
        for (int i = 0; i < 3000; ++i)
            sources.pathFiles.push_back("C:\\Windows\\System32\\tool" + std::to_string(i) + ".exe");
        sources.pathExt = ".EXE";
        return sources;
    }
};

LARGE_INTEGER g_keyPosted = {};
bool g_waiting = false;
std::vector<double> g_samples;
WNDPROC g_listProc = nullptr;

LRESULT CALLBACK TimedList(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CallWindowProcW(g_listProc, list, message, wParam, lParam);
    if (message == WM_PAINT && g_waiting) {
        LARGE_INTEGER now, frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        g_samples.push_back(1000.0 * static_cast<double>(now.QuadPart - g_keyPosted.QuadPart) /
                            static_cast<double>(frequency.QuadPart));
        g_waiting = false;
    }
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    const int keys = argc > 1 ? std::atoi(argv[1]) : 50;
    TestApp app;
    SettingsRecord().LoadSettings(AppProfile());
    ManyNames names;
    CVelquinDlg dialog(nullptr, &names);
    HWND window = nullptr;
    const auto edit = [&] {
        return FindWindowExA(GetDlgItem(window, IDC_HISTORY_COMBO), nullptr, "Edit", nullptr);
    };
    const auto indexShows = [&] {
        const HWND list = dialog.Suggestions().ListWindow();
        return list && SendMessageW(list, LB_GETCOUNT, 0, 0) == 10;
    };
    UiScript script(120000);
    script.WaitForDialog("Velquin", &window);
    script.Then([&] { TypeText(edit(), "v"); }).When(indexShows, [&] {
        const HWND list = dialog.Suggestions().ListWindow();
        g_listProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TimedList)));
    });
    for (int key = 0; key < keys; ++key) {
        script.Then([&, key] {
            g_waiting = true;
            QueryPerformanceCounter(&g_keyPosted);
            if (key % 2 == 0)
                TypeText(edit(), "i");
            else
                PressKey(edit(), VK_BACK);
        });
        script.When([] { return !g_waiting; }, [] {});
    }
    script.Then([&] { PostMessageW(window, WM_COMMAND, IDCANCEL, 0); });
    dialog.DoModal();
    if (!script.Finished() || g_samples.empty()) {
        std::fprintf(stderr, "the keys did not all reach the list\n");
        return 1;
    }
    std::sort(g_samples.begin(), g_samples.end());
    std::printf("%.2f %zu %d\n", g_samples[g_samples.size() / 2], g_samples.size(), 20000);
    return 0;
}
