#pragma once

#include "channels/ChannelRow.h"

#include <QString>

namespace basicinfo {

enum class ColorMixMode { None, Rgb, Cmy };

// The fixture's basic information as the basic information page holds it. Texts are as the
// user typed them.
struct FixtureInfo {
    QString makerName;
    QString deviceName;
    QString channelCountText; // the channel-count box as typed
    QString minDmx;
    QString maxDmx;
    QString divBy;
    QString maxPan;
    QString maxTilt;
    bool conventional = false;
    int movingLightType = -1; // list position: -1 nothing chosen, 0 mirror, 1 moving head
    ColorMixMode colorMixMode = ColorMixMode::None;
};

// "CH" and the channel number of every row whose attribute type is a colour-mix colour (red,
// green, blue, cyan, magenta, yellow), in row order, joined by ", "; empty when there is none.
QString ColorChannelList(const channels::ChannelRows& rows);

// The warning shown when the colour-mixing mode changed after colour channels were set up.
QString ColorMixWarningText(const QString& channelList);

// The text a number box may hold: its digits only, at most maxLength of them (0: no limit).
QString NumberBoxText(const QString& text, int maxLength);

} // namespace basicinfo
