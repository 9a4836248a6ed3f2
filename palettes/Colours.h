#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

namespace palettes {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};

// A 24-bit colour value as the grid and the colour dialog keep it: red + 256 × green +
// 65536 × blue.
qint32 ColourValue(const Rgb& colour);
Rgb RgbOf(qint32 colourValue);

// The colour an entry's swatch cell is painted with. Black would read as "no colour set", so it
// is kept as the colour value 1.
qint32 SwatchValue(const Rgb& colour);

// How a colour panel's three boxes (Text3, Text4, Text5) stand for a colour: red, green and blue
// themselves, or cyan, magenta and yellow, each 255 minus the matching RGB component.
enum class ColourMix { Rgb, Cmy };

// "T", "U", "V" mix RGB, "B", "C", "D" mix CMY; every other letter mixes no colour.
std::optional<ColourMix> MixOf(const QString& attributeLetter);

struct ColourBoxes {
    QString first;  // red or cyan
    QString second; // green or magenta
    QString third;  // blue or yellow
};

// The colour the boxes show. Each box counts by its number (0 without one); for CMY the
// difference 255 - number is what gets rounded.
Rgb ColourOfBoxes(ColourMix mix, const ColourBoxes& boxes);

// The box texts that show a colour picked in the colour dialog.
ColourBoxes BoxesOfColour(ColourMix mix, const Rgb& colour);

// The swatch of an entry read back from the store: the entry's values are collected by their
// channels' letters (a later channel of a letter overrides an earlier one); red, green and blue
// all present win over cyan, magenta and yellow all present; neither gives no swatch.
// letters[k] and values[k] belong to the group's channel k.
std::optional<qint32> StoredEntrySwatch(const QStringList& letters, const QStringList& values);

} // namespace palettes
