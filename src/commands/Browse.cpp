#include "commands/Browse.h"

#include "commands/ShellCommands.h"
#include "framework/FileDialog.h"
#include "framework/Registry.h"
#include "framework/Unicode.h"
#include "settings/ProfileLayout.h"

#include <commdlg.h>

namespace {

// The user's Desktop; its stored form may hold references such as %USERPROFILE%.
std::string DesktopFolder()
{
    const RegKey folders =
        RegKey::Open(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders");
    return ExpandReferences(folders.ReadString("Desktop").value_or(std::string()));
}

}  // namespace

std::optional<std::string> BrowseForFile(HWND owner, ProfileStore& profile)
{
    using namespace profile;
    FileDialogRequest request;
    request.owner = owner;
    request.title = "Browse";
    request.filter = kBrowseFilter;
    request.filterIndex = profile.ReadInt(kFolders, kFilter, 0);
    request.flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_NODEREFERENCELINKS;
    request.initialFolder = BrowseStartFolder(profile.ReadString(kFolders, kFile), DesktopFolder());
    FileDialogChoice choice;
    if (!RunOpenFileDialog(request, choice))
        return std::nullopt;
    profile.WriteInt(kFolders, kFilter, choice.filterIndex);
    profile.WriteString(kFolders, kFile, choice.path);
    return choice.path;
}
