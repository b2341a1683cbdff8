// Message-box styles and answers, and show commands, by their Windows values, for code that decides
// without including <windows.h>.
#pragma once

namespace ui {

inline constexpr unsigned kOk = 0x0;
inline constexpr unsigned kYesNo = 0x4;
inline constexpr unsigned kIconError = 0x10;
inline constexpr unsigned kIconQuestion = 0x20;
inline constexpr unsigned kIconExclamation = 0x30;
inline constexpr unsigned kIconInformation = 0x40;
inline constexpr unsigned kDefaultButton2 = 0x100;

inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

// ShowWindow commands.
enum class Show { Hide = 0, Normal = 1, Minimized = 2, Maximized = 3, Minimize = 6 };

}  // namespace ui
