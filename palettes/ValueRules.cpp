#include "palettes/ValueRules.h"

#include "writer/K36Format.h"

#include <algorithm>

namespace palettes {

using writer::DecimalNumber;
using writer::RoundHalfEven;

ValueCheck CheckValueText(const QString& text) {
    if (text.isEmpty()) {
        return {ValueCheck::Outcome::Corrected, QStringLiteral("0")};
    }
    const std::optional<double> number = DecimalNumber(text);
    if (!number) {
        return {ValueCheck::Outcome::NotANumber, {}};
    }
    if (*number < 0) {
        return {ValueCheck::Outcome::Corrected, QStringLiteral("0")};
    }
    if (*number > MaxValue) {
        return {ValueCheck::Outcome::Corrected, QString::number(MaxValue)};
    }
    return {ValueCheck::Outcome::InRange, {}, *number};
}

bool IsStorableValue(const QString& text) {
    return CheckValueText(text).outcome == ValueCheck::Outcome::InRange;
}

int WholeValue(double value) {
    return static_cast<int>(std::clamp(RoundHalfEven(value), 0.0, double(MaxValue)));
}

int BoxNumber(const QString& text) {
    return WholeValue(DecimalNumber(text).value_or(0));
}

PadPoint ClampToPad(double x, double y) {
    return {std::clamp(x, 0.0, double(MaxValue)), std::clamp(y, 0.0, double(MaxValue))};
}

MarkerOrigin MarkerAt(double pan, double tilt) {
    return {static_cast<int>(RoundHalfEven(pan - MarkerSize / 2)),
            static_cast<int>(RoundHalfEven(tilt - MarkerSize / 2))};
}

} // namespace palettes
