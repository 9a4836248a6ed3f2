#pragma once

#include <QString>
#include <array>
#include <vector>

// The fourteen text cells of one channel row of the channel grid, in column order.
enum ChannelColumn : int {
    ChannelNumber = 0,
    ChannelName,
    AttributeKey,
    ControlWheel,
    ChannelTypeName,
    OutputPercent,
    Curve,
    Invert,
    AttributeName,
    LocateLevel,
    HighLevel,
    LowLevel,
    ChannelTypeLetter,
    AttributeTypeLetter,
    ChannelColumnCount
};

using ChannelRow = std::array<QString, ChannelColumnCount>;

// The data rows of the channel grid: element 0 is grid row 1 (grid row 0 holds the headers).
using ChannelRows = std::vector<ChannelRow>;
