#include "framework/FileDialog.h"

#include "framework/FileFilter.h"
#include "framework/SystemLibrary.h"

#include <commdlg.h>

namespace {

using DialogFunction = decltype(GetOpenFileNameA);

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
    const std::string filter = FilterFromBars(request.filter);
    char path[MAX_PATH] = {};
    request.fileName.copy(path, MAX_PATH - 1);

    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = request.owner;
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(request.filterIndex);
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
    ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    ofn.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    // The process's current folder stays where it is: a folder browsed into is no place to find programs in.
    ofn.Flags = request.flags | OFN_EXPLORER | OFN_NOCHANGEDIR;

    if (!run(&ofn))
        return false;
    choice.path = path;
    choice.filterIndex = static_cast<int>(ofn.nFilterIndex);
    return true;
}

}  // namespace

bool RunOpenFileDialog(const FileDialogRequest& request, FileDialogChoice& choice)
{
    return RunFileDialog(CommonDialog("GetOpenFileNameA"), request, choice);
}

bool RunSaveFileDialog(const FileDialogRequest& request, FileDialogChoice& choice)
{
    return RunFileDialog(CommonDialog("GetSaveFileNameA"), request, choice);
}
