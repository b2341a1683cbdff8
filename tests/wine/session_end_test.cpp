// Velquin's "Log Off" with the real call. It ends the programs of the session it runs in: the script
// session-end-test runs it in a Wine prefix of its own, with the other program it asks (VELQUIN_HOLDER).
#include "TestSupport.h"

#include "commands/ShellCommands.h"
#include "framework/Handles.h"
#include "framework/Unicode.h"
#include "launch/ShellLaunch.h"
#include "res/resource.h"

#include <cstdlib>
#include <functional>
#include <vector>

namespace {

LUID ShutdownPrivilege()
{
    LUID luid = {};
    LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &luid);
    return luid;
}

bool ShutdownPrivilegeEnabled()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    const KernelHandle owned(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
    std::vector<BYTE> bytes(size);
    if (size == 0 || !GetTokenInformation(token, TokenPrivileges, bytes.data(), size, &size))
        return false;
    const auto& privileges = *reinterpret_cast<const TOKEN_PRIVILEGES*>(bytes.data());
    const LUID wanted = ShutdownPrivilege();
    for (DWORD i = 0; i < privileges.PrivilegeCount; ++i) {
        const LUID_AND_ATTRIBUTES& privilege = privileges.Privileges[i];
        if (privilege.Luid.LowPart == wanted.LowPart && privilege.Luid.HighPart == wanted.HighPart)
            return (privilege.Attributes & SE_PRIVILEGE_ENABLED) != 0;
    }
    return false;
}

// As a process starts: the privilege held, not enabled.
void DisableShutdownPrivilege()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token))
        return;
    const KernelHandle owned(token);
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Luid = ShutdownPrivilege();
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
}

bool Within(DWORD milliseconds, const std::function<bool()>& done)
{
    bool finished = done();
    for (const DWORD start = GetTickCount(); !finished && GetTickCount() - start < milliseconds;) {
        Sleep(50);
        finished = done();
    }
    return finished;
}

}  // namespace

TEST(SessionEnd, LogOffEnablesThePrivilegeAndAsksTheOtherProgramsWhichThenEnd)
{
    const SessionCommand* logOff = nullptr;
    for (const SessionCommand& command : kSessionCommands)
        logOff = command.id == ID_TOOLS_LOG_OFF ? &command : logOff;
    ASSERT_NE(logOff, nullptr);
    ASSERT_EQ(logOff->flags & EWX_FORCE, 0u) << "forced, the other program would not be asked";

    DisableShutdownPrivilege();
    ASSERT_FALSE(ShutdownPrivilegeEnabled());
    const char* holder = std::getenv("VELQUIN_HOLDER");
    ASSERT_NE(holder, nullptr);
    const std::string record = TempPath("velquin-session-end.txt");
    DeleteFileW(Wide(record).c_str());
    WideString commandLine = L"\"" + Wide(holder) + L"\" \"" + Wide(record) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    ASSERT_TRUE(CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &started));
    const KernelHandle process(started.hProcess), thread(started.hThread);
    ASSERT_TRUE(Within(20000, [] { return FindWindowW(L"VelquinSessionHolder", nullptr) != nullptr; }));

    EXPECT_EQ(ShellLaunchSystem().EndSession(logOff->flags, kPlannedShutdown), 0ul);
    EXPECT_TRUE(ShutdownPrivilegeEnabled());
    EXPECT_EQ(WaitForSingleObject(process.Get(), 20000), WAIT_OBJECT_0) << "the other program ends with the session";
    EXPECT_EQ(ReadFile(record), "query\nend 1\n");
}
