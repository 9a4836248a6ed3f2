#include "common/Module1.h"

#include "common/Public.h"
#include "platform/Controls.h"
#include "platform/Desktop.h"

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

bool IsAsciiText(const QString& text) {
    for (const QChar ch : text) {
        const ushort code = ch.unicode();
        if (code < 32 || code > 127) {
            platform::msgBox(QStringLiteral("请使用ASCII字符输入"));
            return false;
        }
    }
    return true;
}

bool IsQuoteFreeText(const QString& text) {
    if (!IsAsciiText(text)) {
        return false;
    }
    if (text.contains(u'"')) {
        platform::msgBox(QStringLiteral("不能使用双引号（\"）"));
        return false;
    }
    return true;
}

bool IsNameText(const QString& text) {
    for (const QChar ch : text) {
        const ushort code = ch.unicode();
        const bool allowed = (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') ||
                             (code >= 'a' && code <= 'z') || code == '_' || code == '-' ||
                             code == ' ';
        if (!allowed) {
            platform::msgBox(QStringLiteral("仅允许输入数字、英文字母及..."));
            return false;
        }
    }
    return true;
}

void DropRefusedLastCharacter(platform::TextBox* box, bool (*passes)(const QString&)) {
    const QString text = box->Text();
    if (!text.isEmpty() && !passes(text)) {
        box->setText(text.chopped(1));
        box->setSelStart(static_cast<int>(box->Text().size()));
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
