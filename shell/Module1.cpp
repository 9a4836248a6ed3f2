#include "shell/Module1.h"

#include "basicinfo/Form1.h"
#include "channels/Form2.h"
#include "channels/Form2_2.h"
#include "channels/Form2_3.h"
#include "platform/Desktop.h"
#include "shell/Public.h"

namespace shell {

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

void OpenMakerSite() {
    platform::desktop().openWebAddress(MakerWebAddress);
}

void ResetAllData() {
    // The channel settings dialog and its name picker would otherwise write into the emptied
    // grid: they close first, writing nothing and asking nothing.
    for (const char* dialog : {channels::Form2_2::Name, channels::Form2_3::Name}) {
        if (platform::Form* open = platform::windows().find(QString::fromLatin1(dialog))) {
            platform::unload(*open);
        }
    }

    // Through the page's own controls, so every rule runs as for the user's edit: emptying
    // the channel count also empties the address limits and sets ChannelCount to 0.
    basicinfo::Form1& page = platform::window<basicinfo::Form1>();
    for (platform::TextBox* box : {page.Text3, page.Text4, page.Text5, page.Text6, page.Text7,
                                   page.Text8, page.Text9, page.Text10}) {
        box->setText(QString());
    }
    page.Option1[0]->setValue(true);
    page.Option2[1]->setValue(true);
    page.Combo1->setListIndex(0);
    page.ChooseMovingHeadOnActivate = true;

    // The channel page renumbers and re-heads the rows on its next activation.
    platform::window<channels::Form2>().MSFlexGrid1->Clear();

    // PALETTE-MACRO-LISTS: List1 of the palette group list, then List1 of the macro list.
}

} // namespace shell
