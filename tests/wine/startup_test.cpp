// Velquin.exe as a process: its window, the single-instance guard and the executable's resources.
#include "TestSupport.h"
#include "VelquinProcess.h"

#include "app/VelquinApp.h"
#include "UiScript.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

// Everything under HKEY_CURRENT_USER\Software\Velquin, as one comparable text.
std::string Snapshot(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<none>";
    std::string text = "[" + path + "]\n";
    char name[512];
    BYTE data[2048];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof(name), dataSize = sizeof(data), type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        text += std::string(name) + "=" + std::to_string(type) + ":" +
                std::string(reinterpret_cast<char*>(data), dataSize) + "\n";
    }
    std::vector<std::string> subkeys;
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof(name);
        if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        subkeys.push_back(name);
    }
    RegCloseKey(key);
    for (const std::string& sub : subkeys)
        text += Snapshot(root, path + "\\" + sub);
    return text;
}

HWND FocusOf(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus ? info.hwndFocus : window;
}

std::string VersionString(const std::vector<BYTE>& block, const char* name)
{
    char* value = nullptr;
    UINT length = 0;
    const std::string query = std::string("\\StringFileInfo\\040904b0\\") + name;
    if (!VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return std::string();
    return value;
}

}  // namespace

TEST(Startup, OpensTheMainWindowFromItsTemplateAndEndsWithIt)
{
    CleanProfile clean;
    Process velquin;
    ASSERT_TRUE(velquin.Started());
    HWND window = WaitForMainWindow(velquin);
    ASSERT_NE(window, nullptr);

    EXPECT_EQ(WindowText(window), "Velquin");
    EXPECT_EQ(ClassOf(GetDlgItem(window, 1000)), "ComboBox");
    for (int id : {1062, 1, 1015, 1001, 1014, 1040, 1050, 2})
        EXPECT_NE(GetDlgItem(window, id), nullptr) << id;
    EXPECT_NE(GetMenu(window), nullptr);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    // Opening loaded the settings: the first run saved the defaults.
    EXPECT_EQ(TestApp().Profile().ReadString("Settings", "Saved"), "Options saved");

    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(velquin.WaitForExit(), 0u);
}

TEST(Startup, EscapeAndExitEndTheProgramToo)
{
    CleanProfile clean;
    const std::vector<std::pair<const char*, std::function<void(HWND)>>> routes = {
        {"Escape",
         [](HWND w) {
             HWND focus = FocusOf(w);
             PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 1);
             PostMessageA(focus, WM_KEYUP, VK_ESCAPE, 0xC0000001);
         }},
        {"Exit button", [](HWND w) { PostMessageA(w, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)GetDlgItem(w, IDCANCEL)); }},
    };
    for (const auto& route : routes) {
        Process velquin;
        HWND window = WaitForMainWindow(velquin);
        ASSERT_NE(window, nullptr) << route.first;
        route.second(window);
        EXPECT_EQ(velquin.WaitForExit(), 0u) << route.first;
    }
}

TEST(Startup, ASecondCopyIsRefusedWhileTheFirstRuns)
{
    CleanProfile clean;
    Process first;
    HWND firstWindow = WaitForMainWindow(first);
    ASSERT_NE(firstWindow, nullptr);
    const std::string before = Snapshot(HKEY_CURRENT_USER, "Software\\Velquin");

    {
        Process second;
        HWND box = WaitForMessageBox(second);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(WindowText(MessageTextControl(box)), "Velquin is already running in another window.");
        EXPECT_EQ(WindowText(box), "Velquin");
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(box, 0x440))) << "the box shows an icon";
        EXPECT_EQ(VisibleWindowsOf(second.Id()).size(), 1u) << "no window but the message";

        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_EQ(second.WaitForExit(), 0u);
    }
    EXPECT_EQ(Snapshot(HKEY_CURRENT_USER, "Software\\Velquin"), before) << "the refused copy wrote nothing";
    EXPECT_TRUE(IsWindowVisible(firstWindow)) << "the running copy is left alone";

    PostMessageA(firstWindow, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(first.WaitForExit(), 0u);

    // Once the first copy has ended, a new one starts normally.
    Process third;
    HWND thirdWindow = WaitForMainWindow(third);
    ASSERT_NE(thirdWindow, nullptr);
    PostMessageA(thirdWindow, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(third.WaitForExit(), 0u);
}

TEST(Startup, TheRefusalIsAnErrorMessageAndNoWindow)
{
    // With the guard taken here, start-up in this process must refuse, show exactly this message and write nothing.
    CleanProfile clean;
    HANDLE guard = CreateMutexA(nullptr, TRUE, kInstanceGuardName);
    ASSERT_NE(guard, nullptr);

    MessageBoxSeen seen;
    UiScript script;
    script.AnswerMessageBox(&seen, IDOK);
    bool result = true;
    {
        CVelquinApp app;
        result = app.InitInstance();
    }
    CloseHandle(guard);

    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(result);
    EXPECT_EQ(seen.text, "Velquin is already running in another window.");
    EXPECT_EQ(seen.caption, "Velquin");
    EXPECT_EQ(seen.icon, LoadIconA(nullptr, IDI_HAND));
    EXPECT_EQ(seen.buttons, std::vector<std::string>{"OK"});
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Velquin"));
}

TEST(Startup, TheExecutableCarriesItsVersionAndManifest)
{
    const std::string exe = VelquinExe();
    DWORD ignored = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeA(exe.c_str(), &ignored));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(1, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(4, 9));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(1, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(4, 9));
    EXPECT_EQ(VersionString(block, "FileDescription"), "Application Opener Program");
    EXPECT_EQ(VersionString(block, "FileVersion"), "1.194");
    EXPECT_EQ(VersionString(block, "ProductVersion"), "1.194");

    HMODULE image = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(image, found))),
                               SizeofResource(image, found));
    // The program's processor: a 64-bit exe with an x86 manifest fails to start on Windows.
    const bool is64 = sizeof(void*) == 8;
    EXPECT_NE(manifest.find(is64 ? "processorArchitecture=\"amd64\"" : "processorArchitecture=\"x86\""), std::string::npos);
    EXPECT_EQ(manifest.find(is64 ? "processorArchitecture=\"x86\"" : "processorArchitecture=\"amd64\""), std::string::npos);
    for (const char* part : {"Microsoft.Windows.Common-Controls", "6.0.0.0", "asInvoker", ">true</dpiAware>",
                             "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    FreeLibrary(image);
}
