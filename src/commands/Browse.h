// Browse: the Open dialog for a file to launch, starting in the folder of the file picked last (the Desktop
// the first time), with the file type picked last; both are remembered in the profile's "Folders" section.
#pragma once

#include "framework/ProfileStore.h"

#include <windows.h>

#include <optional>
#include <string>

// The picked file's path; nothing when the user cancelled.
std::optional<std::string> BrowseForFile(HWND owner, ProfileStore& profile);
