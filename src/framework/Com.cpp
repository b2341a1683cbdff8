#include "framework/Com.h"

#include "framework/SystemLibrary.h"

namespace {

SystemLibrary ole32("ole32.dll");

// Per thread: whether the component system is set up there. Allocated as the program starts, before any
// second thread exists.
const DWORD comReadySlot = TlsAlloc();

}  // namespace

bool UseComOnThisThread()
{
    if (comReadySlot != TLS_OUT_OF_INDEXES && TlsGetValue(comReadySlot))
        return true;
    auto* initialize = ole32.Procedure<decltype(CoInitializeEx)>("CoInitializeEx");
    if (!initialize)
        return false;
    // RPC_E_CHANGED_MODE: the thread has it already, as another kind of apartment; that serves as well.
    const HRESULT result = initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    if (FAILED(result) && result != RPC_E_CHANGED_MODE)
        return false;
    if (comReadySlot != TLS_OUT_OF_INDEXES)
        TlsSetValue(comReadySlot, reinterpret_cast<void*>(1));
    return true;
}

HRESULT CreateComObject(REFCLSID type, REFIID interfaceId, void** object)
{
    auto* create = ole32.Procedure<decltype(CoCreateInstance)>("CoCreateInstance");
    if (!UseComOnThisThread() || !create)
        return E_FAIL;
    return create(type, nullptr, CLSCTX_INPROC_SERVER, interfaceId, object);
}
