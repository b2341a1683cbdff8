#include "framework/Shortcut.h"

#include "framework/Com.h"
#include "framework/Unicode.h"

#include <shlobj.h>

std::string ShortcutTarget(const std::string& shortcutPath)
{
    ComPtr<IShellLinkW> link;
    if (FAILED(CreateComObject(CLSID_ShellLink, IID_IShellLinkW, link.ReceiveVoid())))
        return std::string();
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid())))
        return std::string();
    // Read as stored: resolving may search the disks, show a dialog and rewrite the shortcut.
    if (FAILED(file->Load(Wide(shortcutPath).c_str(), STGM_READ)))
        return std::string();
    wchar_t target[MAX_PATH] = {};
    WIN32_FIND_DATAW found = {};
    if (link->GetPath(target, MAX_PATH, &found, 0) != S_OK)
        return std::string();  // S_FALSE: a shortcut to no file or folder
    return Utf8(target);
}
