// The shell's Apps folder: every app the Start menu lists, with its application id. On a thread that uses
// the component system (UseComOnThisThread); it reads the shell's own list, and may take a moment.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// Each app's display name and application id; empty where the system has no Apps folder (before Windows 8,
// and under Wine).
std::vector<std::pair<std::string, std::string>> ListAppsFolder();

// The icon the shell shows for an item of the Apps folder ("shell:AppsFolder\<id>"), at this size; none when
// the shell has none. The caller owns it.
HICON AppIcon(const std::string& parsingName, int size);
