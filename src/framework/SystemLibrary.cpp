#include "framework/SystemLibrary.h"

#include "framework/Unicode.h"

#include <string>

FARPROC SystemLibrary::Address(const char* name)
{
    if (!tried_) {
        tried_ = true;
        wchar_t folder[MAX_PATH] = {};
        const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (length > 0 && length < MAX_PATH)
            module_.Reset(LoadLibraryW((std::wstring(folder) + L"\\" + Wide(fileName_)).c_str()));
    }
    return module_ ? GetProcAddress(module_.Get(), name) : nullptr;
}
