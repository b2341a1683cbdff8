#include "framework/SystemLibrary.h"

#include "framework/Unicode.h"

#include <string>

BOOL CALLBACK SystemLibrary::Load(PINIT_ONCE, void* self, void**)
{
    SystemLibrary& library = *static_cast<SystemLibrary*>(self);
    const WideString name = Wide(library.fileName_);
    // The DLL and everything it loads from the system folder alone. Windows 7 without its security update
    // does not know the flag; the full path keeps at least the DLL itself there.
    library.module_.Reset(LoadLibraryExW(name.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (!library.module_ && length > 0 && length < MAX_PATH)
        library.module_.Reset(LoadLibraryW((WideString(folder) + L"\\" + name).c_str()));
    return TRUE;
}

FARPROC SystemLibrary::Address(const char* name)
{
    InitOnceExecuteOnce(&loaded_, Load, this, nullptr);
    return module_ ? GetProcAddress(module_.Get(), name) : nullptr;
}

namespace {
SystemLibrary user32("user32.dll");
}

SystemLibrary& User32()
{
    return user32;
}
