#include "framework/MessageBox.h"

#include "framework/MessageStyles.h"
#include "framework/Text.h"
#include "framework/Unicode.h"

// The decisions name styles, answers and show commands by their Windows values.
static_assert(ui::kYesNo == MB_YESNO && ui::kIconError == MB_ICONERROR && ui::kIconQuestion == MB_ICONQUESTION &&
                  ui::kIconExclamation == MB_ICONEXCLAMATION && ui::kIconInformation == MB_ICONINFORMATION &&
                  ui::kDefaultButton2 == MB_DEFBUTTON2,
              "message box styles");
static_assert(ui::kAnswerOk == IDOK && ui::kAnswerYes == IDYES && ui::kAnswerNo == IDNO, "message box answers");
static_assert(static_cast<int>(ui::Show::Hide) == SW_HIDE && static_cast<int>(ui::Show::Normal) == SW_SHOWNORMAL &&
                  static_cast<int>(ui::Show::Minimize) == SW_MINIMIZE,
              "show commands");

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT style)
{
    return MessageBoxW(owner, Wide(text).c_str(), Wide(caption).c_str(), style);
}

std::string SystemErrorText(unsigned long code)
{
    wchar_t text[512] = {};
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                        text, 512, nullptr);
    const std::string said = TrimRight(Utf8(text, static_cast<int>(length)));
    return said.empty() ? "Error " + std::to_string(code) + "." : said;
}
