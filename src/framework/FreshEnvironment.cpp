#include "framework/FreshEnvironment.h"

#include "framework/SystemLibrary.h"
#include "framework/Trace.h"
#include "framework/Unicode.h"

#include <userenv.h>

namespace {

SystemLibrary userenv("userenv.dll");

Variables Parse(const wchar_t* block)
{
    Variables variables;
    for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1) {
        const wchar_t* equals = wcschr(entry + 1, L'=');  // "=C:=C:\x" names a drive's folder
        if (equals)
            variables.emplace_back(Utf8(entry, static_cast<int>(equals - entry)), Utf8(equals + 1));
    }
    return variables;
}

Variables ProcessVariables()
{
    wchar_t* block = GetEnvironmentStringsW();
    if (!block)
        return {};
    Variables variables = Parse(block);
    FreeEnvironmentStringsW(block);
    return variables;
}

// The block a logon of this process's user would get now; nothing inherited from the process.
std::optional<Variables> LogonVariables()
{
    auto* create = userenv.Procedure<decltype(CreateEnvironmentBlock)>("CreateEnvironmentBlock");
    auto* destroy = userenv.Procedure<decltype(DestroyEnvironmentBlock)>("DestroyEnvironmentBlock");
    HANDLE token = nullptr;
    if (!create || !destroy || !OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_DUPLICATE, &token))
        return std::nullopt;
    const KernelHandle owned(token);
    void* block = nullptr;
    if (!create(&block, owned.Get(), FALSE) || !block)
        return std::nullopt;
    Variables variables = Parse(static_cast<const wchar_t*>(block));
    destroy(block);
    return variables;
}

}  // namespace

FreshEnvironment::FreshEnvironment(UINT message)
    : worker_([](bool) { return LogonVariables(); }, [](bool) { return std::optional<Variables>(); }, message)
{
}

void FreshEnvironment::NoteOwnVariables(HWND window)
{
    if (!own_)
        worker_.Ask(window, true);
}

void FreshEnvironment::OnChanged(HWND window)
{
    if (own_)
        worker_.Ask(window, false);
    else
        changePending_ = true;  // asked once the own variables are known
}

bool FreshEnvironment::OnAnswer(HWND window)
{
    const auto answer = worker_.TakeAnswer();
    if (!answer)
        return false;
    const std::optional<Variables>& logon = answer->answer;
    if (!logon) {
        Trace("FreshEnvironment -- the system made no environment block.\n");
        return false;
    }
    // Nothing but this changes the process's variables: they are as they were when the worker was asked.
    const Variables process = ProcessVariables();
    if (answer->question) {  // the first look
        own_ = OwnVariables(process, *logon, SameTextIgnoringCase);
        if (std::exchange(changePending_, false))
            worker_.Ask(window, false);
        return false;
    }
    const EnvironmentChange change = ChangeTo(process, *logon, *own_, SameTextIgnoringCase);
    for (const auto& [name, value] : change.set)
        SetEnvironmentVariableW(Wide(name).c_str(), Wide(value).c_str());
    for (const std::string& name : change.remove)
        SetEnvironmentVariableW(Wide(name).c_str(), nullptr);
    return true;
}
