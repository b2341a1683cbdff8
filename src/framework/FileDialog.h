// The system's open and save file dialogs.
#pragma once

#include <windows.h>

#include <commdlg.h>  // the OFN_ flags of a request

#include <string>

struct FileDialogRequest {
    HWND owner = nullptr;
    std::string title;
    std::string filter;  // "Name|patterns|...||"
    int filterIndex = 0; // 1-based; 0 starts with the first filter
    std::string initialFolder;
    std::string defaultExtension;
    std::string fileName;
    DWORD flags = 0;
};

struct FileDialogChoice {
    std::string path;    // full path of the chosen file
    int filterIndex = 0; // 1-based index of the filter chosen
};

// False when the user cancelled (or the dialog could not be shown).
bool RunOpenFileDialog(const FileDialogRequest& request, FileDialogChoice& choice);
bool RunSaveFileDialog(const FileDialogRequest& request, FileDialogChoice& choice);
