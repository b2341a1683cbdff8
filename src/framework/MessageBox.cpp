#include "framework/MessageBox.h"

#include "framework/Unicode.h"

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT style)
{
    return MessageBoxW(owner, Wide(text).c_str(), Wide(caption).c_str(), style);
}
