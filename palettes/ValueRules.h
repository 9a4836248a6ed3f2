#pragma once

#include <QString>
#include <optional>

namespace palettes {

// Every DMX value an entry holds lies in 0..255.
inline constexpr int MaxValue = 255;

inline const QString ValueRangeMessage = QStringLiteral("请输入0-255范围的数值...");

// What a value box does with the text it was just given.
struct ValueCheck {
    enum class Outcome {
        InRange,    // a number from 0 to 255; the text stays as typed
        Corrected,  // the box takes `corrected` ("0" for empty or below 0, "255" above)
        NotANumber, // the box shows ValueRangeMessage and keeps the text, selected
    };
    Outcome outcome;
    QString corrected;
    double value = 0; // the number, when InRange
};

ValueCheck CheckValueText(const QString& text);

// True when the text is a number from 0 to 255, the only thing Add and Update may store: the
// file writer could not write anything else.
bool IsStorableValue(const QString& text);

// A value as a whole number in 0..255, rounded with halves to the even neighbour: the slider's
// position for a box's value, and a pad coordinate as its box shows it.
int WholeValue(double value);

// The number a box stands for in a colour or on the pad: its value rounded and kept in 0..255;
// a box without a number counts as 0.
int BoxNumber(const QString& text);

// ---- The pan/tilt pad: 255 units across and down, pan growing right, tilt growing down ----

struct PadPoint {
    double pan;
    double tilt;
};

// A pointer position in pad units, pinned to the pad's edges.
PadPoint ClampToPad(double x, double y);

// The pad marker is 16 units square and centred on the point.
inline constexpr double MarkerSize = 16;

struct MarkerOrigin {
    int left;
    int top;
    bool operator==(const MarkerOrigin&) const = default;
};

MarkerOrigin MarkerAt(double pan, double tilt);

} // namespace palettes
