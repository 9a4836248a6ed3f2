#pragma once

#include "stores/AdvancedStores.h"
#include "writer/FixtureSnapshot.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QStringList>
#include <optional>

namespace writer {

// Text set at the left of a field of the given width: filled with blanks, or cut without mark.
QString LeftField(const QString& text, int width);

// A cell's decimal number, rounded to a whole number with halves to the even neighbour, in
// upper-case hexadecimal in a field of width 4; nothing when the cell holds no decimal number (an
// empty cell included) or one that does not round to a DMX value 0 to 255.
std::optional<QString> HexField(const QString& cellText);

// The date-time text of the version line: the locale's short date, a blank and the time with
// seconds; at exactly midnight the date alone.
QString DateTimeText(const QDateTime& dateTime, const QLocale& locale);

struct WriteFailure {
    QString reason;
};

// Appends every line of the fixture file, without line ends, to lines. The section of each
// store copies the store's tables, one after the other, into its work table and reads them
// there, so afterwards each work table holds the last table copied. A failure stops the
// writing at once: the lines appended before it stay, and so do the copies made before it.
std::optional<WriteFailure> WriteFixtureLines(const FixtureSnapshot& fixture,
                                              stores::AdvancedStores& stores, QStringList& lines);

// A text in the file's character set (GBK); a character it cannot hold becomes "?".
QByteArray AnsiBytes(const QString& text);

// Every line followed by CR LF, in the file's character set, with nothing before or after.
QByteArray FileBytes(const QStringList& lines);

struct FixtureFile {
    // The whole file; after a failure only the lines written before it.
    QByteArray bytes;
    std::optional<WriteFailure> failure;
};

FixtureFile BuildFixtureFile(const FixtureSnapshot& fixture, stores::AdvancedStores& stores);

} // namespace writer
