#include "quicksetup/QuickSetup.h"

#include "channels/ChannelSettings.h"
#include "channels/ChannelTable.h"
#include "channels/Vocabulary.h"

#include <algorithm>
#include <set>

namespace quicksetup {

using namespace channels;
using enum ChannelColumn;

namespace {

// The two 16-bit channels the quick setup builds, each with its fine box.
struct SixteenBitPair {
    StandardAttribute coarse;
    StandardAttribute fine;
    QStringView name;
};

constexpr std::array<SixteenBitPair, 2> SixteenBitPairs{{
    {StandardAttribute::Pan, StandardAttribute::PanFine, u"Pan"},
    {StandardAttribute::Tilt, StandardAttribute::TiltFine, u"Tilt"},
}};

const SixteenBitPair* PairOf(StandardAttribute attribute) {
    for (const SixteenBitPair& pair : SixteenBitPairs) {
        if (pair.coarse == attribute || pair.fine == attribute) {
            return &pair;
        }
    }
    return nullptr;
}

const QString& BoxText(const BoxTexts& boxes, StandardAttribute attribute) {
    return boxes[BoxIndex(attribute)];
}

// The colour mix an attribute is (0 to 2), if it is one.
std::optional<std::size_t> ColorMixPosition(StandardAttribute attribute) {
    const std::size_t first = BoxIndex(StandardAttribute::ColorMix1);
    const std::size_t box = BoxIndex(attribute);
    if (box < first || box > BoxIndex(StandardAttribute::ColorMix3)) {
        return std::nullopt;
    }
    return box - first;
}

const ColorMixEntry& ColorMixOf(std::size_t position, ColorMixMode mode) {
    return ColorMixEntries[static_cast<std::size_t>(mode)][position];
}

QStringView CaptionOf(const Captions& captions, CaptionSet set) {
    switch (set) {
    case CaptionSet::OnOpening:
        return captions.onOpening;
    case CaptionSet::English:
        return captions.english;
    case CaptionSet::Chinese:
        return captions.chinese;
    }
    return {};
}

bool IsWritableChannel(const QString& text, const ChannelRows& rows, int channelCount) {
    const std::optional<qlonglong> channel = BoxChannel(text);
    return channel && *channel >= 1 && *channel <= channelCount &&
           FindChannelRow(rows, *channel).has_value();
}

void WriteDefaults(ChannelRow& row, StandardAttribute attribute, const BoxTexts& boxes,
                   ColorMixMode mode) {
    const DefaultCells& cells = StandardAttributes[BoxIndex(attribute)].defaults;
    row[ChannelName] = cells.channelName.toString();
    row[AttributeKey] = cells.attributeKey.toString();
    row[ControlWheel] = cells.controlWheel.toString();
    row[ChannelTypeName] = cells.channelTypeName.toString();
    row[OutputPercent] = QStringLiteral("100");
    row[Curve] = QStringLiteral("1");
    row[Invert] = QStringLiteral("N");
    row[AttributeName] = cells.attributeName.toString();
    row[LocateLevel] = cells.locateLevel.toString();
    row[HighLevel] = cells.highLevel.toString();
    row[LowLevel] = cells.lowLevel.toString();
    row[ChannelTypeLetter] = cells.channelTypeLetter.toString();
    row[AttributeTypeLetter] = cells.attributeTypeLetter.toString();

    if (const std::optional<std::size_t> mix = ColorMixPosition(attribute)) {
        const ColorMixEntry& entry = ColorMixOf(*mix, mode);
        row[ChannelName] = entry.name.toString();
        row[AttributeName] = entry.name.toString();
        row[AttributeTypeLetter] = entry.attributeTypeLetter.toString();
    } else if (const SixteenBitPair* pair = PairOf(attribute)) {
        if (pair->coarse == attribute && !BoxText(boxes, pair->fine).isEmpty()) {
            CoarsePromotion(row);
        } else if (pair->fine == attribute) {
            row[AttributeName] = FinePartName(*BoxChannel(BoxText(boxes, pair->coarse)));
        }
    }
}

struct Write {
    StandardAttribute attribute;
    std::size_t row;
    qlonglong channel;
};

// The rows the filled boxes write, in box order. A fine box writes only under a coarse channel.
std::vector<Write> PlannedWrites(const ChannelRows& rows, const BoxTexts& boxes) {
    std::vector<Write> writes;
    for (std::size_t box = 0; box < boxes.size(); ++box) {
        const StandardAttribute attribute = AttributeAt(box);
        const std::optional<qlonglong> channel = BoxChannel(boxes[box]);
        const std::optional<std::size_t> row =
            channel ? FindChannelRow(rows, *channel) : std::nullopt;
        const SixteenBitPair* pair = PairOf(attribute);
        if (!row ||
            (pair && pair->fine == attribute && !BoxChannel(BoxText(boxes, pair->coarse)))) {
            continue;
        }
        writes.push_back({attribute, *row, *channel});
    }
    return writes;
}

} // namespace

QString RangePrompt(int channelCount) {
    if (channelCount == 1) {
        return QStringLiteral("请输入正确的DMX通道值：1");
    }
    return QStringLiteral("请输入正确的DMX通道值范围：1-") + QString::number(channelCount);
}

QString LabelCaption(StandardAttribute attribute, CaptionSet set, ColorMixMode mode) {
    if (const std::optional<std::size_t> mix = ColorMixPosition(attribute)) {
        return CaptionOf(ColorMixOf(*mix, mode).captions, set).toString();
    }
    return CaptionOf(StandardAttributes[BoxIndex(attribute)].captions, set).toString();
}

std::optional<qlonglong> BoxChannel(const QString& text) {
    return ParseWholeNumber(text);
}

BoxChange CheckChannelBoxRange(const QString& text, int channelCount) {
    if (text.isEmpty()) {
        return BoxChange::Nothing;
    }
    if (text.startsWith(u'0')) {
        return BoxChange::Emptied;
    }
    const std::optional<qlonglong> channel = BoxChannel(text);
    if (!channel || *channel < 1 || *channel > channelCount) {
        return BoxChange::OutOfRange;
    }
    return BoxChange::Accepted;
}

std::vector<qlonglong> FinePartChannels(const ChannelRows& rows) {
    std::vector<qlonglong> channels;
    for (const ChannelRow& row : rows) {
        if (const std::optional<qlonglong> channel = ParseWholeNumber(row[ChannelNumber]);
            channel && IsFinePart(row)) {
            channels.push_back(*channel);
        }
    }
    return channels;
}

bool CheckLowCh(const std::vector<qlonglong>& lowChannels, qlonglong channel) {
    return std::find(lowChannels.begin(), lowChannels.end(), channel) != lowChannels.end();
}

std::optional<QString> CheckChannelBoxNotFine(StandardAttribute box, const QString& text,
                                              const std::vector<qlonglong>& lowChannels) {
    const SixteenBitPair* pair = PairOf(box);
    if (pair && pair->fine == box) {
        return std::nullopt;
    }
    const std::optional<qlonglong> channel = BoxChannel(text);
    if (!channel || !CheckLowCh(lowChannels, *channel)) {
        return std::nullopt;
    }
    return QStringLiteral("Ch ") + text + QStringLiteral(" 已被用于16bit的微调通道，请重新输入...");
}

std::optional<Refusal> RequireCoarseFirst(StandardAttribute fineBox, const BoxTexts& boxes) {
    const SixteenBitPair* pair = PairOf(fineBox);
    if (!pair || pair->fine != fineBox || !BoxText(boxes, pair->coarse).isEmpty()) {
        return std::nullopt;
    }
    return Refusal{QStringLiteral("请先填写 ") + pair->name.toString() + QStringLiteral(" 通道..."),
                   pair->coarse};
}

std::optional<QString> ChongFuCH(const BoxTexts& boxes) {
    std::vector<qlonglong> used;
    for (const QString& text : boxes) {
        if (const std::optional<qlonglong> channel = BoxChannel(text)) {
            used.push_back(*channel);
        }
    }
    for (const qlonglong channel : used) {
        if (std::count(used.begin(), used.end(), channel) > 1) {
            return QStringLiteral("通道 ") + QString::number(channel) +
                   QStringLiteral("被重复设置，请修改...");
        }
    }
    return std::nullopt;
}

std::optional<Refusal> CheckQuickSetup(const BoxTexts& boxes, const ChannelRows& rows,
                                       int channelCount, const QString& rangePrompt) {
    if (const std::optional<QString> duplicate = ChongFuCH(boxes)) {
        return Refusal{*duplicate, std::nullopt};
    }
    // A channel no row carries would otherwise be written into the header row or dropped.
    for (std::size_t box = 0; box < boxes.size(); ++box) {
        if (!boxes[box].isEmpty() && !IsWritableChannel(boxes[box], rows, channelCount)) {
            return Refusal{rangePrompt, AttributeAt(box)};
        }
    }
    // A fine part needs the coarse channel its attribute name points at.
    for (const SixteenBitPair& pair : SixteenBitPairs) {
        if (!BoxText(boxes, pair.fine).isEmpty()) {
            if (std::optional<Refusal> refusal = RequireCoarseFirst(pair.fine, boxes)) {
                return refusal;
            }
        }
    }
    return std::nullopt;
}

QStringList ApplyQuickSetup(ChannelRows& rows, const BoxTexts& boxes, ColorMixMode mode) {
    const std::vector<Write> writes = PlannedWrites(rows, boxes);
    std::set<std::size_t> rewritten;
    for (const Write& write : writes) {
        rewritten.insert(write.row);
    }
    const ChannelRows before = rows;

    // A 16-bit channel that is overwritten gives up the fine parts this OK does not rewrite
    // itself, as the settings dialog's OK does; otherwise they would name a dimmer or a second
    // fine part of the new Pan.
    QStringList announcements;
    for (const Write& write : writes) {
        if (before[write.row][ChannelTypeName] == CoarseWithFinePartWord) {
            announcements << ReleaseFinePartsOnChange(rows, IntOrZero(write.channel),
                                                      before[write.row][ChannelName], rewritten);
        }
    }

    for (const Write& write : writes) {
        WriteDefaults(rows[write.row], write.attribute, boxes, mode);
    }

    // An overwritten fine part lets its coarse channel go back to 8 bit, unless it is the fine
    // part of that same channel again or the channel keeps another one.
    for (const Write& write : writes) {
        if (before[write.row][ChannelTypeName] != FinePartWord) {
            continue;
        }
        const std::optional<qlonglong> coarse =
            NamedCoarseChannel(before[write.row][AttributeName]);
        if (coarse && !IsFinePartOf(rows[write.row], *coarse)) {
            FallBackUnlessPaired(rows, *coarse, write.row);
        }
    }
    return announcements;
}

} // namespace quicksetup
