// File > Export Settings and Import Settings, and the files of the two commands behind them.
#pragma once

#include "commands/ProfileTransfer.h"

#include <windows.h>

// The system's files: read whole, written whole and never half, the system's words for a failure.
TransferFiles SystemTransferFiles();

// Through the save dialog; says what it did.
void ExportSettings(HWND owner, ProfileStore& profile);
// Through the open dialog, after a question (No by default); says what it did. True when the profile
// changed, so the window takes it up.
bool ImportSettings(HWND owner, ProfileStore& profile);
