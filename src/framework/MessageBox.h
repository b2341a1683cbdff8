// Every message box of the program goes through here.
#pragma once

#include <windows.h>

#include <string>

// The button the user chose (IDOK, IDYES, IDNO, ...).
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT style);
