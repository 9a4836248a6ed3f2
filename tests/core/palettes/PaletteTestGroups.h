#pragma once

#include "palettes/ValuePanel.h"
#include "tests/support/ChannelTestRows.h"

#include <QString>
#include <QStringList>

// Group channels numbered 1, 2, 3 ... with the given attribute letters.
inline palettes::GroupChannels ChannelsWithLetters(const QStringList& letters) {
    palettes::GroupChannels channels;
    for (const QString& letter : letters) {
        const QString number = QString::number(channels.size() + 1);
        channels.push_back({number, QStringLiteral("Ch") + number, letter});
    }
    return channels;
}
