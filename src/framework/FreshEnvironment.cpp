#include "framework/FreshEnvironment.h"

#include "framework/BackgroundWork.h"
#include "framework/Registry.h"
#include "framework/SystemLibrary.h"
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

void FreshEnvironment::NoteRegistryNames()
{
    std::vector<std::string> names;
    const auto add = [&](const RegKey& key) {
        for (const std::string& name : key.ValueNames())
            names.push_back(name);
    };
    add(RegKey::Open(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment"));
    add(RegKey::Open(HKEY_CURRENT_USER, "Environment"));
    const RegKey volatileKey = RegKey::Open(HKEY_CURRENT_USER, "Volatile Environment");
    add(volatileKey);
    for (const std::string& session : volatileKey.SubkeyNames())  // one per session
        add(RegKey::Open(volatileKey.Get(), session));
    registryNames_ = std::move(names);
}

void FreshEnvironment::OnChanged(HWND window)
{
    if (!registryNames_)
        NoteRegistryNames();  // before the first paint: the registry as it is now
    const unsigned number = ++asked_;
    RunOnThreadOfItsOwn(window, message_, 0, WorkerNeeds::Nothing, [shared = shared_, number] {
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

bool FreshEnvironment::OnBlock()
{
    std::optional<Variables> logon;
    {
        const Locked locked(shared_->lock);
        logon = shared_->logon.Take();
    }
    if (!logon)  // an older thread's, or the system made none
        return false;
    const Variables process = ProcessVariables();
    // Until the first change, the process's variables are those it started with.
    if (!own_)
        own_ = OwnVariables(process, *logon, *registryNames_, SameTextIgnoringCase);
    const EnvironmentChange change = ChangeTo(process, *logon, *own_, SameTextIgnoringCase);
    for (const std::string& entry : change.set) {
        const std::string name = VariableName(entry);
        SetEnvironmentVariableW(Wide(name).c_str(), Wide(entry.substr(name.size() + 1)).c_str());
    }
    for (const std::string& name : change.remove)
        SetEnvironmentVariableW(Wide(name).c_str(), nullptr);
    return true;
}
