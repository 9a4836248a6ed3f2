#pragma once

#include <QString>

namespace platform {
class TextBox;
}

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

// The rule of the name boxes on every change: when the check refuses the box's text (telling
// why), the last character goes and the caret moves to the end. The removal changes the text
// again and so runs the rule anew, until what is left passes or is empty.
void DropLastCharacterUnless(platform::TextBox& box, bool (*check)(const QString& text));

// The key filter of the boxes that take a number from the keyboard: digits and Backspace pass,
// any other key is dropped (set to 0).
void DigitKeysOnly(int& keyAscii);

// Starts the desktop's browser on the maker's web address.
void OpenMakerSite();

} // namespace common
