// Every message box of the program goes through here.
#pragma once

#include <windows.h>

#include <string>

// The button the user chose (IDOK, IDYES, IDNO, ...).
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT style);

// The system's words for an error code, or "Error <code>." where it has none.
std::string SystemErrorText(unsigned long code);
