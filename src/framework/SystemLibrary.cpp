#include "framework/SystemLibrary.h"

#include <string>

FARPROC SystemLibrary::Address(const char* name)
{
    if (!tried_) {
        tried_ = true;
        char folder[MAX_PATH] = {};
        const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
        if (length > 0 && length < MAX_PATH)
            module_.Reset(LoadLibraryA((std::string(folder) + "\\" + fileName_).c_str()));
    }
    return module_ ? GetProcAddress(module_.Get(), name) : nullptr;
}
