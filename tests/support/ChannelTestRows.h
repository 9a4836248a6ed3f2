#pragma once

#include "channels/ChannelRow.h"
#include "channels/ChannelTable.h"

#include <QString>
#include <QStringList>
#include <ostream>
#include <string>

// Readable QString values and rows in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace channels {
inline void PrintTo(const ChannelRow& row, std::ostream* out) {
    *out << '{' << QStringList(row.cells.begin(), row.cells.end()).join(", ").toStdString() << '}';
}
inline void PrintTo(const ChannelChoice& choice, std::ostream* out) {
    *out << '{' << choice.text.toStdString() << ", "
         << (choice.number ? std::to_string(*choice.number) : "none") << '}';
}
} // namespace channels

using channels::ChannelRow;
using channels::ChannelRows;

// A set-up channel: levels 0, -1, -1, output 100, curve 1, normal.
inline ChannelRow MakeChannel(int number, const QString& name, const QString& key,
                              const QString& wheel, const QString& typeName,
                              const QString& attributeName, const QString& typeLetter,
                              const QString& attributeLetter) {
    return {QString::number(number), name, key,  wheel, typeName,   "100",          "1", "N",
            attributeName,           "0",  "-1", "-1",  typeLetter, attributeLetter};
}

inline ChannelRow MakeFinePart(int number, const QString& name, int coarse,
                               const QString& attributeLetter) {
    return MakeChannel(number, name, "-", "-", "Part", channels::FinePartName(coarse), "L",
                       attributeLetter);
}

inline ChannelRow NumberOnly(int number) {
    ChannelRow row;
    row[channels::ChannelColumn::ChannelNumber] = QString::number(number);
    return row;
}

inline QStringList NumbersOf(const ChannelRows& rows) {
    QStringList numbers;
    for (const ChannelRow& row : rows) {
        numbers << row[channels::ChannelColumn::ChannelNumber];
    }
    return numbers;
}
