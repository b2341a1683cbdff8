#include "framework/FreshEnvironment.h"

#include "framework/BackgroundWork.h"
#include "framework/SystemLibrary.h"
#include "framework/Trace.h"
#include "framework/Unicode.h"

#include <userenv.h>

namespace {

SystemLibrary userenv("userenv.dll");

Variables Parse(const wchar_t* block)
{
    Variables variables;
    for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1)
        variables.push_back(Utf8(entry));
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

void FreshEnvironment::Ask(HWND window, bool first)
{
    const unsigned number = ++asked_;
    noting_ = noting_ || first;
    RunOnThreadOfItsOwn(window, message_, first ? 1 : 0, WorkerNeeds::Nothing, [shared = shared_, number] {
        std::optional<Variables> logon;
        try {
            logon = LogonVariables();
        } catch (...) {
            // Nothing may unwind out of a thread: no block, then.
        }
        const Locked locked(shared->lock);
        shared->logon.Offer(number, std::move(logon));  // threads end in any order
        return true;
    });
}

void FreshEnvironment::NoteOwnVariables(HWND window)
{
    if (!own_ && !noting_)
        Ask(window, true);
}

void FreshEnvironment::OnChanged(HWND window)
{
    if (own_) {
        Ask(window, false);
        return;
    }
    changePending_ = true;  // asked once the own variables are known
    NoteOwnVariables(window);  // a first look that failed is tried again
}

bool FreshEnvironment::OnBlock(HWND window, WPARAM first)
{
    std::optional<Variables> logon;
    {
        const Locked locked(shared_->lock);
        logon = shared_->logon.Take();
    }
    if (first)
        noting_ = false;
    if (!logon) {  // an older thread's, or the system made none
        if (first)
            Trace("FreshEnvironment -- the system made no environment block.\n");
        return false;
    }
    // Nothing but this changes the process's variables: they are as they were when the block was asked for.
    const Variables process = ProcessVariables();
    if (first) {
        own_ = OwnVariables(process, *logon, SameTextIgnoringCase);
        if (std::exchange(changePending_, false))
            Ask(window, false);
        return false;
    }
    const EnvironmentChange change = ChangeTo(process, *logon, *own_, SameTextIgnoringCase);
    for (const std::string& entry : change.set) {
        const std::string name = VariableName(entry);
        SetEnvironmentVariableW(Wide(name).c_str(), Wide(entry.substr(name.size() + 1)).c_str());
    }
    for (const std::string& name : change.remove)
        SetEnvironmentVariableW(Wide(name).c_str(), nullptr);
    return true;
}
