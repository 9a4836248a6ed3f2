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

// The check of a text that the file writes in a line of quoted fields (a name, a range's text
// and its formula, which follows the text's closing quote): it must pass IsAsciiText and hold no
// double quote, which would close a quoted field early or open one that never closes, so that
// the rest of the line is read as the wrong fields. A quote shows "不能使用双引号（\"）" once
// and returns false.
bool IsQuoteFreeText(const QString& text);

// True when every character is a digit, an ASCII letter, "_", "-" or a
// blank; otherwise shows "仅允许输入数字、英文字母及..." once and returns false.
bool IsNameText(const QString& text);

// The rule of the boxes whose text a check guards (IsAsciiText, IsNameText): text the check
// refuses loses its last character and the caret goes to the end. Setting the text runs the
// box's Change again, so characters go one by one, each with the check's message, until the
// rest passes.
void DropRefusedLastCharacter(platform::TextBox* box, bool (*passes)(const QString&) = IsAsciiText);

// The key rule of the number boxes: digits and Backspace pass, any other key is dropped.
void DigitKeysOnly(int& keyAscii);

// Starts the desktop's browser on the maker's web address.
void OpenMakerSite();

} // namespace common
