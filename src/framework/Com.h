// The component system, loaded from the system folder when first needed and set up on each thread that
// calls the shell, as the shell's handlers expect: apartment-threaded, without OLE 1 DDE. Nothing at
// start-up pays for it.
#pragma once

#include <objbase.h>

// Releases a COM interface when it goes out of scope.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr()
    {
        if (pointer_)
            pointer_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* operator->() const { return pointer_; }
    void** ReceiveVoid() { return reinterpret_cast<void**>(&pointer_); }

private:
    Interface* pointer_ = nullptr;
};

// Sets the component system up for the calling thread, the first time that thread asks; it stays so for the
// thread's life. False when it cannot be had.
bool UseComOnThisThread();
// An object of an in-process server (CoCreateInstance), with the component system set up for the thread.
HRESULT CreateComObject(REFCLSID type, REFIID interfaceId, void** object);
