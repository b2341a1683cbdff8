#include "framework/FileDialog.h"

#include "framework/FileFilter.h"
#include "framework/SystemLibrary.h"
#include "framework/Unicode.h"

#include <commdlg.h>

namespace {

using DialogFunction = decltype(GetOpenFileNameW);

// The dialogs' library is loaded when a dialog first opens, not at start-up.
DialogFunction* CommonDialog(const char* name)
{
    static SystemLibrary library("comdlg32.dll");
    return library.Procedure<DialogFunction>(name);
}

bool RunFileDialog(DialogFunction* run, const FileDialogRequest& request, FileDialogChoice& choice)
{
    if (!run)
        return false;
    const WideString filter = Wide(FilterFromBars(request.filter)), folder = Wide(request.initialFolder),
                       title = Wide(request.title), extension = Wide(request.defaultExtension);
    wchar_t path[MAX_PATH] = {};
    Wide(request.fileName).copy(path, MAX_PATH - 1);

    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = request.owner;
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(request.filterIndex);
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    // The process's current folder stays where it is: a folder browsed into is no place to find programs in.
    ofn.Flags = request.flags | OFN_EXPLORER | OFN_NOCHANGEDIR;

    if (!run(&ofn))
        return false;
    choice.path = Utf8(path);
    choice.filterIndex = static_cast<int>(ofn.nFilterIndex);
    return true;
}

}  // namespace

bool RunOpenFileDialog(const FileDialogRequest& request, FileDialogChoice& choice)
{
    return RunFileDialog(CommonDialog("GetOpenFileNameW"), request, choice);
}

bool RunSaveFileDialog(const FileDialogRequest& request, FileDialogChoice& choice)
{
    return RunFileDialog(CommonDialog("GetSaveFileNameW"), request, choice);
}
