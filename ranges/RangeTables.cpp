#include "ranges/RangeTables.h"

#include "channels/ChannelTable.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace ranges {

using channels::ChannelChoice;
using channels::FindChannelRow;
using channels::FineParts;
using channels::ParseNumber;
using stores::TextTable;
using enum channels::ChannelColumn;
namespace fields = stores::RangeFields;

namespace {

// Fields Low, High, description and formula; the header row holds the channel's number and name.
constexpr int RangeTableFieldUpper = 3;
constexpr int LowField = 0;
constexpr int HighField = 1;
constexpr int DescriptionField = 2;
constexpr int FormulaField = 3;
constexpr int GridRowsWithoutTable = 8;

RangeEntries EntriesOf(const TextTable& table) {
    RangeEntries entries;
    for (int r = 1; r <= table.rowUpper(); ++r) {
        entries.push_back({table.cell(LowField, r).toInt(), table.cell(HighField, r).toInt(),
                           table.cell(DescriptionField, r), table.cell(FormulaField, r)});
    }
    return entries;
}

TextTable TableOf(int channel, const ChannelRows& channelRows, const RangeEntries& entries) {
    TextTable table(RangeTableFieldUpper, static_cast<int>(entries.size()));
    if (const auto row = FindChannelRow(channelRows, channel)) {
        table.setCell(0, 0, channelRows[*row][ChannelNumber]);
        table.setCell(1, 0, channelRows[*row][ChannelName]);
    } else {
        table.setCell(0, 0, QString::number(channel));
    }
    int r = 1;
    for (const RangeEntry& entry : entries) {
        table.setCell(LowField, r, QString::number(entry.low));
        table.setCell(HighField, r, QString::number(entry.high));
        table.setCell(DescriptionField, r, entry.description);
        table.setCell(FormulaField, r, entry.formula);
        ++r;
    }
    return table;
}

// The checks both boxes share. A value below lowest or above 255 is refused naming
// lowestText, and the box then takes refusedText.
BoundCheck CheckBound(const QString& text, double lowest, const QString& lowestText,
                      const QString& refusedText) {
    if (text.isEmpty())
        return {std::nullopt, BoundEmptyMessage, std::nullopt};
    const std::optional<double> value = ParseNumber(text);
    if (!value)
        return {std::nullopt, BoundNotNumberMessage, QString()};
    if (*value < lowest || *value > HighestValue)
        return {std::nullopt, BoundOutOfRangeMessage(lowestText), refusedText};
    const double whole = std::floor(*value);
    if (whole != *value)
        return {std::nullopt, BoundNotWholeMessage, QString::number(static_cast<int>(whole))};
    return {static_cast<int>(whole), QString(), std::nullopt};
}

} // namespace

std::vector<RangeChannel> RangeChannels(const ChannelRows& rows, int channelCount) {
    std::vector<RangeChannel> channels;
    for (const ChannelChoice& choice : ChannelChoices(rows, channelCount, FineParts::Omitted)) {
        if (choice.number)
            channels.push_back({*choice.number, choice.text});
    }
    return channels;
}

QString RangeChannelItemText(const RangeChannel& channel, const RecordStore& rangeTables) {
    if (rangeTables.findChannel(channel.channel))
        return channel.text + QStringLiteral(" *");
    return channel.text;
}

LoadedRanges LoadRangeTable(AdvancedStores& stores, int channel) {
    LoadedRanges loaded;
    stores.curRangeTable = TextTable(RangeTableFieldUpper, 0);
    const std::optional<int> column = stores.rangeTables.findChannel(channel);
    if (!column || !stores.rangeTables.copyOut(*column, fields::RangeTable, stores.curRangeTable)) {
        loaded.grid.rowCount = GridRowsWithoutTable;
        return loaded;
    }
    loaded.hasTable = true;
    loaded.grid.entries = EntriesOf(stores.curRangeTable);
    loaded.grid.rowCount = static_cast<int>(loaded.grid.entries.size()) + 2;
    return loaded;
}

void StoreRangeTable(AdvancedStores& stores, int channel, const ChannelRows& channelRows,
                     const RangeEntries& entries) {
    RecordStore& rangeTables = stores.rangeTables;
    stores.curRangeTable = TextTable(RangeTableFieldUpper, 0);
    const std::optional<int> column = rangeTables.findChannel(channel);
    if (entries.empty()) {
        if (column)
            rangeTables.remove(*column);
        return;
    }
    stores.curRangeTable = TableOf(channel, channelRows, entries);
    if (column) {
        rangeTables.replace(*column, fields::ChannelNumber, qint32(channel));
        rangeTables.replace(*column, fields::RangeTable, stores.curRangeTable);
    } else {
        rangeTables.append({qint32(channel), stores.curRangeTable});
    }
}

QString BoundOutOfRangeMessage(const QString& lowestText) {
    return QStringLiteral("请输入正确数值范围：从 ") + lowestText + QStringLiteral(" 至 255...");
}

BoundCheck CheckFromBound(const QString& text) {
    return CheckBound(text, LowestValue, QString::number(LowestValue), QString());
}

BoundCheck CheckToBound(const QString& text, const QString& fromText) {
    // Whatever the from box holds, no bound lies below the lowest DMX value: a from text far below
    // it would otherwise let a to value through that is no whole number the table can hold.
    const double lowest =
        std::max<double>(ParseNumber(fromText).value_or(LowestValue), LowestValue);
    return CheckBound(text, lowest, fromText, fromText);
}

} // namespace ranges
