#pragma once

#include "channels/ChannelRow.h"
#include "ranges/RangeIntervals.h"
#include "stores/AdvancedStores.h"

#include <QString>
#include <optional>
#include <vector>

namespace ranges {

using channels::ChannelRows;
using stores::AdvancedStores;
using stores::RecordStore;

// ---- The channel list ----

// A channel that may take a range table: its number links the list item to the store.
struct RangeChannel {
    int channel = 0;
    QString text; // channel number, " - ", channel name

    bool operator==(const RangeChannel&) const = default;
};

// Channel grid rows 1 to channelCount whose attribute key and control wheel both differ from
// "-" (a fine part has neither), in grid order. A row whose number cell holds no whole number
// cannot be linked to a table and is left out.
std::vector<RangeChannel> RangeChannels(const ChannelRows& rows, int channelCount);

// The item text: " *" follows while the store holds a table for the channel. Only the store
// decides, so a channel name that itself ends in " *" does not count as a mark.
QString RangeChannelItemText(const RangeChannel& channel, const RecordStore& rangeTables);

// ---- Between the grid and the store ----

struct LoadedRanges {
    RangeGrid grid;
    bool hasTable = false;
};

// The channel's table as the grid shows it (its entries and two more rows), or an empty grid
// of 8 rows when it has none. The work table receives a copy of what was found.
LoadedRanges LoadRangeTable(AdvancedStores& stores, int channel);

// Saves the whole grid as the channel's table: the table replaces the channel's column in place
// or is appended as a new one. Without entries the channel's column leaves the store. The header
// row takes the channel's number and name from the channel grid row that holds the channel.
void StoreRangeTable(AdvancedStores& stores, int channel, const ChannelRows& channelRows,
                     const RangeEntries& entries);

// ---- The bound boxes ----

inline const QString BoundEmptyMessage = QStringLiteral("不能为空白，必须填上正确的数字范围");
inline const QString BoundNotNumberMessage = QStringLiteral("请输入0-255范围的数值...");
inline const QString BoundNotWholeMessage = QStringLiteral("请输入整数类型...");
inline const QString DescriptionMissingMessage = QStringLiteral("请填写范围名称...");

// "请输入正确数值范围：从 " followed by the lowest allowed value as its box shows it.
QString BoundOutOfRangeMessage(const QString& lowestText);

// The verdict on a bound box's text as the box is left. Accepted: value holds the whole number
// for the box's scroll bar. Refused: message is shown, the box keeps the focus and, when
// correctedText holds a text, the box takes it.
struct BoundCheck {
    std::optional<int> value;
    QString message;
    std::optional<QString> correctedText;

    bool operator==(const BoundCheck&) const = default;
};

BoundCheck CheckFromBound(const QString& text);
// fromText is the from box's text; an empty one counts as 0.
BoundCheck CheckToBound(const QString& text, const QString& fromText);

} // namespace ranges
