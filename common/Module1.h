#pragma once

#include <QString>

// The procedures that several windows share.
namespace common {

// Asks before the program ends. OK ends the program at once and does not
// come back; Cancel returns false.
bool ConfirmExit();

// True when every character lies in 32 to 127; otherwise shows
// "请使用ASCII字符输入" once and returns false.
bool IsAsciiText(const QString& text);

// True when every character is a digit, an ASCII letter, "_", "-" or a
// blank; otherwise shows "仅允许输入数字、英文字母及..." once and returns false.
bool IsNameText(const QString& text);

// Starts the desktop's browser on the maker's web address.
void OpenMakerSite();

} // namespace common
