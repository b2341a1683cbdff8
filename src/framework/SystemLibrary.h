// A DLL of the system's own, loaded from the system folder when first needed: what the first paint does
// not use is not loaded before it, and a copy planted beside a document or the program is never picked up
// instead, neither of the DLL nor of the DLLs it needs. Any thread may ask.
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
    static BOOL CALLBACK Load(PINIT_ONCE, void* self, void**);

    const char* fileName_;
    ModuleHandle module_;
    INIT_ONCE loaded_ = INIT_ONCE_STATIC_INIT;
};

// user32, for the functions of later Windows versions where the system has them.
SystemLibrary& User32();
