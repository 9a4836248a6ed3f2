#include "palettes/GroupSetup.h"

#include "channels/ChannelTable.h"
#include "palettes/GroupEntries.h"
#include "writer/K36Format.h"

#include <algorithm>
#include <optional>

namespace palettes {

using channels::ChannelRow;
using channels::ParseWholeNumber;
using writer::DecimalNumber;
using enum channels::ChannelColumn;

namespace {

struct TypeInfo {
    GroupType type;
    QStringView word;
    int firstNumber;
};

constexpr std::array<TypeInfo, 3> TypeInfos{{
    {GroupType::PanTilt, u"Pan/Tilt", 21},
    {GroupType::Colour, u"Colour", 1},
    {GroupType::Gobo, u"Gobo", 11},
}};

QStringList NumbersFrom(int first) {
    QStringList numbers;
    for (int number = first; number < first + MaxEntries; ++number) {
        numbers << QString::number(number);
    }
    return numbers;
}

int RowsInUse(const ChannelRows& rows, int channelCount) {
    return std::clamp(channelCount, 0, static_cast<int>(rows.size()));
}

// The index of the first row in use whose channel-number cell passes the test.
template <typename NumberTest>
std::optional<std::size_t> FindRow(const ChannelRows& rows, int channelCount, NumberTest test) {
    for (int i = 0; i < RowsInUse(rows, channelCount); ++i) {
        if (test(rows[i][ChannelNumber])) {
            return i;
        }
    }
    return std::nullopt;
}

GroupChannel ChannelOfRow(const ChannelRow& row) {
    return {row[ChannelNumber], row[ChannelName], row[AttributeTypeLetter]};
}

} // namespace

QString TypeWord(GroupType type) {
    for (const TypeInfo& info : TypeInfos) {
        if (info.type == type) {
            return info.word.toString();
        }
    }
    return {};
}

QStringList PaletteNumbersForType(const QString& typeWord) {
    for (const TypeInfo& info : TypeInfos) {
        if (typeWord == info.word) {
            return NumbersFrom(info.firstNumber);
        }
    }
    return {};
}

QStringList PaletteNumbersForStoredNumber(const QString& firstEntryNumber) {
    const double number = DecimalNumber(firstEntryNumber).value_or(0);
    for (const TypeInfo& info : TypeInfos) {
        if (number >= info.firstNumber && number <= info.firstNumber + MaxEntries - 1) {
            return NumbersFrom(info.firstNumber);
        }
    }
    return {QStringLiteral("-1")};
}

GroupChannels ChannelsByNumber(const ChannelRows& rows, int channelCount,
                               const std::vector<qint32>& numbers) {
    GroupChannels channels;
    for (qint32 number : numbers) {
        // The list took its numbers from the grid, so the cell is compared as a number.
        const auto row = FindRow(rows, channelCount, [number](const QString& cell) {
            return ParseWholeNumber(cell) == number;
        });
        channels.push_back(row ? ChannelOfRow(rows[*row])
                               : GroupChannel{QString::number(number), {}, {}});
    }
    return channels;
}

GroupChannels ChannelsOfTable(const ChannelRows& rows, int channelCount, const TextTable& table) {
    GroupChannels channels;
    for (int field = 2; field <= table.fieldUpper(); ++field) {
        const QString number = table.cell(field, 0);
        const auto row =
            FindRow(rows, channelCount, [&number](const QString& cell) { return cell == number; });
        channels.push_back(row ? ChannelOfRow(rows[*row]) : GroupChannel{number, {}, {}});
    }
    return channels;
}

QString ChannelsMissingMessage(const QString& typeWord) {
    return QStringLiteral("请选择 ") + typeWord + QStringLiteral(" 素材组所使用的DMX通道...");
}

QString TypeExistsMessage(const QString& typeWord) {
    return typeWord + QStringLiteral("素材组已经存在，请重新选择素材组的类型...");
}

QString DeleteGroupQuestion(const QString& groupName) {
    return QStringLiteral("删除素材组 ") + groupName + QStringLiteral(" ？");
}

} // namespace palettes
