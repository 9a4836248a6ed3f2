#pragma once

#include "stores/AdvancedStores.h"
#include "writer/FixtureSnapshot.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <optional>

namespace writer {

// A decimal number as the editors keep it: blanks around, a sign, digits with or without a
// fraction, an exponent. Nothing else (no hexadecimal, no separators, no "inf"). Wider than the
// channel fields' ParseNumber: the table editors' value cells take exponents. A DMX value box
// holds a value exactly when its text passes this test, so the file can always carry it. A
// number too close to 0 to hold is 0 ("1e-400"), one too large to hold is none.
std::optional<double> DecimalNumber(QStringView text);

// The whole number nearest to value, halves to the even neighbour (12.5 gives 12, 13.5 gives 14).
double RoundHalfEven(double value);

// Text set at the left of a field of the given width, as the file's bytes: filled with blanks,
// or cut without mark. The width counts characters: a character outside the Basic Multilingual
// Plane (an emoji) is one, and a cut never splits it.
QByteArray FieldBytes(const QString& text, int width);

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

// A text in the file's character set (GBK); each character it cannot hold becomes one "?".
QByteArray AnsiBytes(const QString& text);

struct FixtureFile {
    // Every line followed by CR LF, in the file's character set, with nothing before or after;
    // after a failure only the lines completed before it.
    QByteArray bytes;
    std::optional<WriteFailure> failure;
};

// The fixture file. Each store's section leaves in the store's work table a copy of the last
// table it went through, as if it had copied every table there in turn; a failure stops the
// writing at once and leaves the copy of the table it stopped in.
FixtureFile BuildFixtureFile(const FixtureSnapshot& fixture, stores::AdvancedStores& stores);

} // namespace writer
