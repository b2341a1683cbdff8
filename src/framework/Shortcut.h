// A shortcut file (.lnk) as the shell stores it.
#pragma once

#include <string>

// The long path the shortcut points to, read as stored: never searched for or updated. Empty when the file
// cannot be read or points to no file or folder (an installer's advertised shortcut, the Control Panel).
// The component system is set up on the calling thread, whichever it is.
std::string ShortcutTarget(const std::string& shortcutPath);
