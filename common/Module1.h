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

// The checks of the texts that boxes guard. Each allows a text when every character passes each
// of its rules, and refuses it with the message of the first rule a character breaks:
enum class TextCheck {
    // every character's value in 32 to 127, else "请使用ASCII字符输入";
    AsciiText,
    // a text that the file writes in a line of quoted fields (a name, a range's text and its
    // formula, which follows the text's closing quote): AsciiText, and no double quote, which
    // would close a quoted field early or open one that never closes, so that the rest of the
    // line is read as the wrong fields; else "不能使用双引号（\"）";
    QuoteFreeText,
    // digits, ASCII letters, "_", "-" and blanks, else "仅允许输入数字、英文字母及...".
    NameText,
};

// True when the check allows the text; otherwise shows its message once and returns false.
bool PassesCheck(const QString& text, TextCheck check);

bool IsAsciiText(const QString& text);

// The rule of the boxes whose text a check guards: text the check refuses loses its last
// character, one at a time, each with the message the check gives the text that is left, until
// the rest passes; the box then changes once and the caret goes to the end.
void DropRefusedLastCharacter(platform::TextBox* box, TextCheck check);

// The key rule of the number boxes: digits and Backspace pass, any other key is dropped.
void DigitKeysOnly(int& keyAscii);

// Starts the desktop's browser on the maker's web address.
void OpenMakerSite();

} // namespace common
