// Keystroke to list under Wine: from a key's message to the end of the suggestion list's paint, with 20,000
// indexed names, in the real main window; or, as the floor, in a bare popup list box that filters the same
// names naively on its window's thread and fills itself in one batch.
//   keystroke_bench [bare] <keys>   prints: median ms, the number of keys and of names
#include "TestSupport.h"

#include "res/resource.h"
#include "settings/SettingsRecord.h"
#include "window/VelquinDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

IndexSources ManySources()
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

class ManyNames : public ShellSuggestSystem {
public:
    IndexSources ReadIndexSources() override { return ManySources(); }
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

// Types "v", waits for a full list, then alternates "i" and Backspace, each key timed to the list's paint.
void ScriptKeys(UiScript& script, int keys, const std::function<HWND()>& edit, const std::function<HWND()>& list)
{
    script.Then([=] { TypeText(edit(), "v"); })
        .When([=] { return list() && SendMessageW(list(), LB_GETCOUNT, 0, 0) == 10; }, [=] {
            g_listProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(list(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TimedList)));
        });
    for (int key = 0; key < keys; ++key) {
        script.Then([=] {
            g_waiting = true;
            QueryPerformanceCounter(&g_keyPosted);
            if (key % 2 == 0)
                TypeText(edit(), "i");
            else
                PressKey(edit(), VK_BACK);
        });
        script.When([] { return !g_waiting; }, [] {});
    }
}

// The floor: an edit field and a popup list box under it. At each change every name is looked at for the
// typed text, letter case ignored, and the first ten that hold it fill the list.
struct BareList {
    std::vector<std::string> names;  // in capitals
    HWND frame = nullptr, edit = nullptr, list = nullptr;

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<BareList*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && self)
            self->Filter();
        if (message == WM_DESTROY)
            PostQuitMessage(0);
        return DefWindowProcW(window, message, wParam, lParam);
    }

    void Filter()
    {
        char typed[260] = {};
        GetWindowTextA(edit, typed, sizeof(typed));
        CharUpperA(typed);
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        int added = 0;
        for (const std::string& name : names) {
            if (*typed && name.find(typed) != std::string::npos && added++ < 10)
                SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
        // It stays under the field: shown or hidden, never moved.
        if ((added > 0) != (IsWindowVisible(list) != FALSE))
            ShowWindow(list, added > 0 ? SW_SHOWNOACTIVATE : SW_HIDE);
    }

    int Run(int keys)
    {
        const SuggestIndex index = BuildIndex(ManySources(), [](const std::string& text) { return text; });
        for (const IndexedCandidate& line : index.items) {
            names.push_back(line.item.name);
            CharUpperA(names.back().data());
        }
        WNDCLASSW frameClass = {};
        frameClass.lpfnWndProc = Procedure;
        frameClass.hInstance = GetModuleHandleW(nullptr);
        frameClass.lpszClassName = L"BareListFrame";
        frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        RegisterClassW(&frameClass);
        frame = CreateWindowW(L"BareListFrame", L"Bare list", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 500, 120,
                              nullptr, nullptr, frameClass.hInstance, nullptr);
        SetWindowLongPtrW(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        edit = CreateWindowW(L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10, 10, 460, 22, frame,
                             nullptr, frameClass.hInstance, nullptr);
        RECT box;
        GetWindowRect(edit, &box);
        list = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"LISTBOX", L"",
                               WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, box.left, box.bottom,
                               box.right - box.left, 10 * 18, frame, nullptr, frameClass.hInstance, nullptr);
        SetFocus(edit);
        UiScript script(120000);
        ScriptKeys(script, keys, [this] { return edit; }, [this] { return list; });
        script.Then([this] { DestroyWindow(frame); });
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        return script.Finished() ? 0 : 1;
    }
};

int RunVelquin(int keys)
{
    TestApp app;
    SettingsRecord().LoadSettings(AppProfile());
    ManyNames names;
    CVelquinDlg dialog(nullptr, &names);
    HWND window = nullptr;
    UiScript script(120000);
    script.WaitForDialog("Velquin", &window);
    ScriptKeys(
        script, keys,
        [&] { return FindWindowExA(GetDlgItem(window, IDC_HISTORY_COMBO), nullptr, "Edit", nullptr); },
        [&] { return dialog.Suggestions().ListWindow(); });
    script.Then([&] { PostMessageW(window, WM_COMMAND, IDCANCEL, 0); });
    dialog.DoModal();
    return script.Finished() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    const int keys = argc > 1 + bare ? std::atoi(argv[1 + bare]) : 50;
    const int failed = bare ? BareList().Run(keys) : RunVelquin(keys);
    if (failed || g_samples.empty()) {
        std::fprintf(stderr, "the keys did not all reach the list\n");
        return 1;
    }
    std::sort(g_samples.begin(), g_samples.end());
    std::printf("%.2f %zu %d\n", g_samples[g_samples.size() / 2], g_samples.size(), 20000);
    return 0;
}
