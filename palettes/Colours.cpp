#include "palettes/Colours.h"

#include "palettes/ValueRules.h"
#include "writer/K36Format.h"

#include <array>

namespace palettes {

using writer::DecimalNumber;

namespace {

constexpr qint32 Black = 0;
constexpr qint32 NearlyBlack = 1;

int MixedComponent(ColourMix mix, const QString& boxText) {
    const double number = DecimalNumber(boxText).value_or(0);
    return WholeValue(mix == ColourMix::Rgb ? number : MaxValue - number);
}

int BoxComponent(ColourMix mix, int rgbComponent) {
    return mix == ColourMix::Rgb ? rgbComponent : MaxValue - rgbComponent;
}

} // namespace

qint32 ColourValue(const Rgb& colour) {
    return colour.red + 256 * colour.green + 65536 * colour.blue;
}

Rgb RgbOf(qint32 colourValue) {
    return {colourValue % 256, (colourValue % 65536) / 256, colourValue / 65536};
}

qint32 SwatchValue(const Rgb& colour) {
    const qint32 value = ColourValue(colour);
    return value == Black ? NearlyBlack : value;
}

std::optional<ColourMix> MixOf(const QString& attributeLetter) {
    if (attributeLetter == u"T" || attributeLetter == u"U" || attributeLetter == u"V") {
        return ColourMix::Rgb;
    }
    if (attributeLetter == u"B" || attributeLetter == u"C" || attributeLetter == u"D") {
        return ColourMix::Cmy;
    }
    return std::nullopt;
}

Rgb ColourOfBoxes(ColourMix mix, const ColourBoxes& boxes) {
    return {MixedComponent(mix, boxes.first), MixedComponent(mix, boxes.second),
            MixedComponent(mix, boxes.third)};
}

ColourBoxes BoxesOfColour(ColourMix mix, const Rgb& colour) {
    return {QString::number(BoxComponent(mix, colour.red)),
            QString::number(BoxComponent(mix, colour.green)),
            QString::number(BoxComponent(mix, colour.blue))};
}

std::optional<qint32> StoredEntrySwatch(const QStringList& letters, const QStringList& values) {
    // Components 0..2 red, green, blue; 3..5 cyan, magenta, yellow.
    static const QStringList componentLetters{"T", "U", "V", "B", "C", "D"};
    std::array<std::optional<int>, 6> components;
    for (qsizetype k = 0; k < letters.size() && k < values.size(); ++k) {
        const qsizetype index = componentLetters.indexOf(letters[k]);
        if (index >= 0) {
            components[index] = BoxNumber(values[k]);
        }
    }
    if (components[0] && components[1] && components[2]) {
        return SwatchValue({*components[0], *components[1], *components[2]});
    }
    if (components[3] && components[4] && components[5]) {
        return SwatchValue(
            {MaxValue - *components[3], MaxValue - *components[4], MaxValue - *components[5]});
    }
    return std::nullopt;
}

} // namespace palettes
