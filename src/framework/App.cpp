#include "framework/App.h"

#include "framework/ProfileFile.h"
#include "framework/Unicode.h"
#include "res/resource.h"

#include <cassert>

namespace {

App* g_app = nullptr;

std::string ExecutableBaseName()
{
    std::string name = ModulePath();
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

std::string ApplicationName()
{
    wchar_t title[256] = {};
    if (LoadStringW(App::Instance(), IDS_APP_TITLE, title, 256) > 0)
        return Utf8(title);
    return ExecutableBaseName();
}

}  // namespace

App::App() : appName_(ApplicationName())
{
    assert(g_app == nullptr);
    g_app = this;
}

App::~App()
{
    g_app = nullptr;
}

App& App::Current()
{
    assert(g_app != nullptr);
    return *g_app;
}

bool App::Exists()
{
    return g_app != nullptr;
}

void App::SetRegistryKey(const std::string& company)
{
    registry_.SetRoot("Software\\" + company + "\\" + appName_);
}

void App::UseProfileFile(const std::string& path, std::function<void(unsigned long error)> notSaved)
{
    unsigned long unread = 0;
    const std::optional<std::string> bytes = ReadFileBytes(path, &unread);
    // A file that is there but cannot be read, or that an editor saved as UTF-16, is never written over:
    // all it holds would be lost.
    if (bytes && (bytes->rfind("\xFF\xFE", 0) == 0 || bytes->rfind("\xFE\xFF", 0) == 0))
        unread = ERROR_INVALID_DATA;
    else if (bytes || unread == ERROR_FILE_NOT_FOUND)
        unread = 0;
    int skipped = 0;
    const IniDocument document = ReadIniLeniently(unread ? std::string() : bytes.value_or(std::string()), &skipped);
    // What could not be read is gone from the file at the first write: a copy keeps it for the user.
    if (skipped > 0)
        CopyFileW(Wide(path).c_str(), Wide(path + ".bak").c_str(), FALSE);
    fileError_ = unread;
    file_ = std::make_unique<IniProfileStore>(
        document, SameTextIgnoringCase, [path, unread, notSaved = std::move(notSaved)](const std::string& text) {
            unsigned long error = unread;
            if (!error && WriteFileBytes(path, text, &error))
                return true;
            if (notSaved)
                notSaved(error);
            return false;
        });
}

ProfileStore& App::Profile()
{
    if (file_)
        return *file_;
    return registry_;
}

HINSTANCE App::Instance()
{
    return GetModuleHandleA(nullptr);
}
