#include "common/Module1.h"

#include "common/Public.h"
#include "platform/Controls.h"
#include "platform/Desktop.h"

#include <algorithm>
#include <array>
#include <span>
#include <vector>

namespace common {

using platform::MsgButtons;
using platform::MsgResult;

bool ConfirmExit() {
    const QString question = Public().DataChanged ? QStringLiteral("数据已被改变，确定放弃并退出？")
                                                  : QStringLiteral("确定退出？");
    if (platform::msgBox(question, MsgButtons::OkCancel) == MsgResult::Ok) {
        platform::desktop().endProgram();
    }
    return false;
}

namespace {

// One rule of a check: the characters it allows, and what it says of a text with one it does not.
struct CharacterRule {
    bool (*allows)(QChar ch);
    QStringView message;
};

bool isAsciiCharacter(QChar ch) {
    return ch.unicode() >= 32 && ch.unicode() <= 127;
}

bool isNoQuote(QChar ch) {
    return ch != u'"';
}

bool isNameCharacter(QChar ch) {
    const ushort code = ch.unicode();
    return (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') ||
           (code >= 'a' && code <= 'z') || code == '_' || code == '-' || code == ' ';
}

constexpr CharacterRule AsciiRule{isAsciiCharacter, u"请使用ASCII字符输入"};
constexpr std::array AsciiRules{AsciiRule};
constexpr std::array QuoteFreeRules{AsciiRule, CharacterRule{isNoQuote, u"不能使用双引号（\"）"}};
constexpr std::array NameRules{CharacterRule{isNameCharacter, u"仅允许输入数字、英文字母及..."}};

std::span<const CharacterRule> rulesOf(TextCheck check) {
    switch (check) {
    case TextCheck::QuoteFreeText:
        return QuoteFreeRules;
    case TextCheck::NameText:
        return NameRules;
    case TextCheck::AsciiText:
        break;
    }
    return AsciiRules;
}

// Where the rule first meets a character it does not allow; the text's length when it meets none.
qsizetype firstRefused(QStringView text, const CharacterRule& rule) {
    return std::find_if_not(text.begin(), text.end(), rule.allows) - text.begin();
}

// A surrogate pair is one character: it goes whole.
qsizetype lastCharacterLength(QStringView text) {
    const qsizetype n = text.size();
    return n >= 2 && text[n - 1].isLowSurrogate() && text[n - 2].isHighSurrogate() ? 2 : 1;
}

} // namespace

bool PassesCheck(const QString& text, TextCheck check) {
    for (const CharacterRule& rule : rulesOf(check)) {
        if (firstRefused(text, rule) < text.size()) {
            platform::msgBox(rule.message.toString());
            return false;
        }
    }
    return true;
}

bool IsAsciiText(const QString& text) {
    return PassesCheck(text, TextCheck::AsciiText);
}

void DropRefusedLastCharacter(platform::TextBox* box, TextCheck check) {
    const QString text = box->Text();
    const std::span<const CharacterRule> rules = rulesOf(check);
    // The whole removal is worked out at once from where each rule first refuses a character, and
    // the box changes once: a change for every character would nest as deep as the text is long
    // and check it once a character, which a long paste cannot afford.
    std::vector<qsizetype> refusedAt;
    for (const CharacterRule& rule : rules) {
        refusedAt.push_back(firstRefused(text, rule));
    }
    QStringView kept = text;
    for (;;) {
        const auto broken = std::find_if(refusedAt.begin(), refusedAt.end(),
                                         [&](qsizetype at) { return at < kept.size(); });
        if (broken == refusedAt.end()) {
            break;
        }
        platform::msgBox(
            rules[static_cast<std::size_t>(broken - refusedAt.begin())].message.toString());
        kept.chop(lastCharacterLength(kept));
    }
    if (kept.size() < text.size()) {
        box->setText(kept.toString());
        box->setSelStart(static_cast<int>(kept.size()));
    }
}

void DigitKeysOnly(int& keyAscii) {
    constexpr int Backspace = 8;
    if (keyAscii != Backspace && (keyAscii < '0' || keyAscii > '9')) {
        keyAscii = 0;
    }
}

void OpenMakerSite() {
    platform::desktop().openWebAddress(MakerWebAddress);
}

} // namespace common
