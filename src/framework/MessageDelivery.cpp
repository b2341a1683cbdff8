#include "framework/MessageDelivery.h"

#include "framework/SystemLibrary.h"

namespace {

SystemLibrary wtsapi32("wtsapi32.dll");

constexpr DWORD kThisSession = 0;  // NOTIFY_FOR_THIS_SESSION

MessageDelivery systemDelivery;

}  // namespace

bool MessageDelivery::AllowFromLowerIntegrity(HWND window, UINT message)
{
    using ForWindow = BOOL WINAPI(HWND, UINT, DWORD, PCHANGEFILTERSTRUCT);
    if (auto* allow = User32().Procedure<ForWindow>("ChangeWindowMessageFilterEx"))
        return allow(window, message, MSGFLT_ALLOW, nullptr) != FALSE;
    using ForProcess = BOOL WINAPI(UINT, DWORD);
    auto* allow = User32().Procedure<ForProcess>("ChangeWindowMessageFilter");
    return allow && allow(message, MSGFLT_ADD) != FALSE;
}

bool MessageDelivery::WatchSession(HWND window)
{
    using Register = BOOL WINAPI(HWND, DWORD);
    auto* watch = wtsapi32.Procedure<Register>("WTSRegisterSessionNotification");
    return watch && watch(window, kThisSession) != FALSE;
}

void MessageDelivery::StopWatchingSession(HWND window)
{
    using Unregister = BOOL WINAPI(HWND);
    if (auto* stop = wtsapi32.Procedure<Unregister>("WTSUnRegisterSessionNotification"))
        stop(window);
}

MessageDelivery& SystemDelivery()
{
    return systemDelivery;
}
