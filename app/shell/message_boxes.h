// Modal message boxes over the main window.
#pragma once
#include <string>

namespace tavrel {

inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

// A box with an OK button.
void ShowMessageBox(const std::wstring& title, const std::wstring& text);
// A box with Yes, No and Cancel: kAnswerYes, kAnswerNo, or kAnswerCancel when
// cancelled, closed or not shown at all.
int AskYesNoCancel(const std::wstring& title, const std::wstring& text);
// A box with Yes and No: kAnswerYes, or kAnswerNo for anything else (the
// box closed or not shown at all).
int AskYesNo(const std::wstring& title, const std::wstring& text);

}  // namespace tavrel
