#include "basicinfo/FixtureInfo.h"

#include <QStringList>

namespace basicinfo {

using channels::ChannelColumn;

namespace {
bool isColorMixLetter(const QString& letter) {
    static const QStringList letters{QStringLiteral("T"), QStringLiteral("U"), QStringLiteral("V"),
                                     QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")};
    return letters.contains(letter);
}
} // namespace

QString ColorChannelList(const channels::ChannelRows& rows) {
    QStringList channels;
    for (const channels::ChannelRow& row : rows) {
        if (isColorMixLetter(row[ChannelColumn::AttributeTypeLetter])) {
            channels << QStringLiteral("CH") + row[ChannelColumn::ChannelNumber];
        }
    }
    return channels.join(QStringLiteral(", "));
}

QString ColorMixWarningText(const QString& channelList) {
    return QStringLiteral("彩色混合模式已被改变！\r\n\r\n请重新设置 ") + channelList +
           QStringLiteral(" 通道...");
}

QString NumberBoxText(const QString& text, int maxLength) {
    QString digits;
    for (const QChar ch : text) {
        if (ch >= u'0' && ch <= u'9' && (maxLength <= 0 || digits.size() < maxLength)) {
            digits += ch;
        }
    }
    return digits;
}

} // namespace basicinfo
