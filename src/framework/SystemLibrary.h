// A DLL of the system's own, loaded from the system folder when first needed: what the first paint does
// not use is not loaded before it, and a copy planted beside a document is never picked up instead.
#pragma once

#include "framework/Handles.h"

#include <windows.h>

class SystemLibrary {
public:
    explicit SystemLibrary(const char* fileName) : fileName_(fileName) {}

    // The named function with the type of its declaration, for example
    //   Procedure<decltype(GetOpenFileNameA)>("GetOpenFileNameA");
    // null when the library or the function cannot be had.
    template <typename Function>
    Function* Procedure(const char* name)
    {
        return reinterpret_cast<Function*>(reinterpret_cast<void*>(Address(name)));
    }

private:
    FARPROC Address(const char* name);

    const char* fileName_;
    ModuleHandle module_;
    bool tried_ = false;
};
