#include "channels/ChannelSettings.h"

#include "channels/ChannelTable.h"
#include "channels/Vocabulary.h"

#include <cmath>
#include <limits>
#include <set>
#include <tuple>
#include <utility>

namespace channels {

using enum ChannelColumn;

bool IsPartMode(const ChannelFields& fields) {
    return fields.channelType == PartTypeIndex;
}

std::optional<FieldCorrection> CurveRule(const QString& text) {
    if (text == u"1") {
        return std::nullopt;
    }
    return FieldCorrection{CurveMessage, QStringLiteral("1")};
}

namespace {

bool IsWhole(double value) {
    return std::trunc(value) == value;
}

} // namespace

std::optional<FieldCorrection> OutputPercentRule(const QString& text) {
    const std::optional<double> value = ParseNumber(text);
    if (!value) {
        return FieldCorrection{NotNumberMessage, QStringLiteral("100")};
    }
    if (*value < 0 || *value > 100 || !IsWhole(*value)) {
        return FieldCorrection{OutputRangeMessage, QStringLiteral("100")};
    }
    return std::nullopt;
}

bool IsValidLevelText(const QString& text) {
    const std::optional<double> value = ParseNumber(text);
    return value && *value >= -1 && *value <= 255 && IsWhole(*value);
}

QString PlainWholeNumber(const QString& text) {
    const std::optional<double> value = ParseNumber(text);
    if (!value || !IsWhole(*value)) {
        return text;
    }
    // Adding 0 turns "-0" into 0.
    return QString::number(*value + 0.0, 'f', 0);
}

namespace {

QString RowItem(const ChannelRow& row) {
    return row[ChannelNumber] + QStringLiteral(" - ") + row[ChannelName];
}

bool IsPanOrTilt(const QString& attributeLetter) {
    return attributeLetter == u"E" || attributeLetter == u"F";
}

} // namespace

int IntOrZero(const std::optional<qlonglong>& number) {
    if (!number || *number < 0 || *number > std::numeric_limits<int>::max()) {
        return 0;
    }
    return static_cast<int>(*number);
}

std::optional<std::size_t> FindEditedRow(const ChannelRows& rows, EditedChannel edited) {
    if (edited.row >= 1 && edited.row <= static_cast<int>(rows.size())) {
        const auto clicked = static_cast<std::size_t>(edited.row - 1);
        if (ParseWholeNumber(rows[clicked][ChannelNumber]) == edited.channel) {
            return clicked;
        }
    }
    return FindChannelRow(rows, edited.channel);
}

CoarseChoices CoarseChannelChoices(const ChannelRows& rows, EditedChannel edited) {
    CoarseChoices choices;
    const std::optional<std::size_t> editedRow = FindEditedRow(rows, edited);
    const QString attributeName = editedRow ? rows[*editedRow][AttributeName] : QString();
    if (attributeName.endsWith(u"fine")) {
        const std::optional<qlonglong> coarseChannel = NamedCoarseChannel(attributeName);
        choices.partCoarseChannel = IntOrZero(coarseChannel);
        const std::optional<std::size_t> coarse =
            coarseChannel ? FindChannelRow(rows, *coarseChannel) : std::nullopt;
        if (coarse) {
            choices.items << RowItem(rows[*coarse]);
            choices.selected = 0;
        }
        return choices;
    }
    for (const ChannelRow& row : rows) {
        if (ParseWholeNumber(row[ChannelNumber]) != edited.channel && !row[ChannelName].isEmpty() &&
            row[ChannelTypeName] != FinePartWord &&
            row[ChannelTypeName] != CoarseWithFinePartWord) {
            choices.items << RowItem(row);
        }
    }
    return choices;
}

std::optional<int> CoarseChannelOfItem(const QString& item) {
    const qsizetype dash = item.indexOf(u" - ");
    const std::optional<qlonglong> number = ParseWholeNumber(dash < 0 ? item : item.left(dash));
    if (!number || *number < 1 || *number > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(*number);
}

void ApplyAttributeTypeDefaults(ChannelFields& fields, const ChannelRow& storedRow) {
    // A stored fine part keeps its empty key and wheel whatever attribute type is shown.
    if (storedRow[ControlWheel] == FinePartMark || storedRow[AttributeKey] == FinePartMark) {
        return;
    }
    if (!IsChoiceOf(AttributeTypeTable, fields.attributeType)) {
        return;
    }
    const AttributeTypeDefault* defaults =
        AttributeTypeDefaultOf(AttributeTypeTable[fields.attributeType].letter);
    if (defaults == nullptr) {
        return;
    }
    if (defaults->channelType >= 0 && fields.channelType < 0) {
        fields.channelType = defaults->channelType;
    }
    if (defaults->attributeKey >= 0 && fields.attributeKey < 0) {
        fields.attributeKey = defaults->attributeKey;
    }
    if (defaults->controlWheel >= 0 &&
        !(defaults->wheelOnlyWhenUnset && fields.controlWheel >= 0)) {
        fields.controlWheel = defaults->controlWheel;
    }
}

bool TianXieJianCha(const ChannelFields& fields) {
    if (fields.name.isEmpty() || !IsChoiceOf(ChannelTypeTable, fields.channelType)) {
        return false;
    }
    if (IsPartMode(fields)) {
        return !fields.coarseChannelItem.isEmpty();
    }
    return IsChoiceOf(AttributeKeyTable, fields.attributeKey) &&
           IsChoiceOf(ControlWheelTable, fields.controlWheel) &&
           IsChoiceOf(AttributeTypeTable, fields.attributeType) && !fields.curve.isEmpty() &&
           !fields.outputPercent.isEmpty() && !fields.locateLevel.isEmpty() &&
           !fields.highLevel.isEmpty() && !fields.lowLevel.isEmpty();
}

int ChongFuJianCha(const ChannelRows& rows, EditedChannel edited, int coarseChannel) {
    const QString taken = FinePartName(coarseChannel);
    const std::optional<std::size_t> editedRow = FindEditedRow(rows, edited);
    int duplicates = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i != editedRow && rows[i][AttributeName] == taken) {
            ++duplicates;
        }
    }
    return duplicates;
}

namespace {

// The coarse channel a coarse-channel item names while it can still take a fine part: it exists,
// is named and is no fine part itself.
std::optional<int> UsableCoarseChannel(const QString& item, const ChannelRows& rows) {
    const std::optional<int> coarse = CoarseChannelOfItem(item);
    if (item.trimmed().size() < 5 || !coarse) {
        return std::nullopt;
    }
    const std::optional<std::size_t> at = FindChannelRow(rows, *coarse);
    if (!at) {
        return std::nullopt;
    }
    const ChannelRow& row = rows[*at];
    if (row[ChannelName].isEmpty() || IsFinePart(row) || row[ChannelTypeName] == FinePartWord) {
        return std::nullopt;
    }
    return coarse;
}

// The checks in the order the dialog reports them; the first missing field refuses the OK.
std::optional<std::pair<QString, DialogField>>
MissingField(const ChannelFields& fields, const ChannelRows& rows, EditedChannel edited) {
    using Missing = std::pair<QString, DialogField>;
    if (fields.name.isEmpty()) {
        return Missing{QStringLiteral("请填写通道名称..."), DialogField::Name};
    }
    if (!IsChoiceOf(ChannelTypeTable, fields.channelType)) {
        return Missing{QStringLiteral("请设置通道类型..."), DialogField::ChannelType};
    }
    if (IsPartMode(fields)) {
        // The table may have changed behind the dialog since the coarse channel was chosen: one
        // that is gone, unnamed or a fine part itself now is as good as none chosen, and one that
        // got another fine part meanwhile is refused as at its choice.
        const std::optional<int> coarse = UsableCoarseChannel(fields.coarseChannelItem, rows);
        if (!coarse) {
            return Missing{QStringLiteral("请设置其依附的16bit高8位通道..."),
                           DialogField::CoarseChannel};
        }
        if (ChongFuJianCha(rows, edited, *coarse) > 0) {
            return Missing{DuplicateFinePartMessage, DialogField::CoarseChannel};
        }
        return std::nullopt;
    }
    if (!IsChoiceOf(AttributeKeyTable, fields.attributeKey)) {
        return Missing{QStringLiteral("请设置属性键..."), DialogField::AttributeKey};
    }
    if (!IsChoiceOf(ControlWheelTable, fields.controlWheel)) {
        return Missing{QStringLiteral("请设置控制轮..."), DialogField::ControlWheel};
    }
    if (fields.curve.isEmpty()) {
        return Missing{QStringLiteral("请设置通道曲线类型，通常为1，仅HTP通道起作用..."),
                       DialogField::Curve};
    }
    if (fields.outputPercent.isEmpty()) {
        return Missing{QStringLiteral("请设置通道输出比例，范围0-100%..."),
                       DialogField::OutputPercent};
    }
    // The boxes' own rules keep out what the file cannot take; should a value pass them all the
    // same, the box's message refuses it here rather than the file carrying it.
    if (const std::optional<FieldCorrection> correction = OutputPercentRule(fields.outputPercent)) {
        return Missing{correction->message, DialogField::OutputPercent};
    }
    if (!IsChoiceOf(AttributeTypeTable, fields.attributeType)) {
        return Missing{QStringLiteral("请设置通道属性类型..."), DialogField::AttributeType};
    }
    const std::tuple<const QString&, QString, DialogField> levels[] = {
        {fields.locateLevel, QStringLiteral("请设置定位值，范围0-255，-1表示不起作用..."),
         DialogField::LocateLevel},
        {fields.highLevel, QStringLiteral("请设置高亮度的值，范围0-255，-1表示不起作用..."),
         DialogField::HighLevel},
        {fields.lowLevel, QStringLiteral("请设置低亮度的值，范围0-255，-1表示不起作用..."),
         DialogField::LowLevel},
    };
    for (const auto& [level, emptyMessage, box] : levels) {
        if (level.isEmpty()) {
            return Missing{emptyMessage, box};
        }
        if (!IsValidLevelText(level)) {
            return Missing{LevelRangeMessage, box};
        }
    }
    return std::nullopt;
}

// Empties every fine part of a 16-bit channel but the spared rows and announces each. OK and
// delete word the announcement differently only in the two phrases before and after the edited
// channel's number.
QStringList ReleaseFineParts(ChannelRows& rows, int editChannel, QString editName,
                             const QString& before, const QString& after,
                             const std::set<std::size_t>& spared = {}) {
    QStringList announcements;
    const QString channel = QString::number(editChannel);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ChannelRow& row = rows[i];
        if (spared.count(i) != 0 || !IsFinePartOf(row, editChannel)) {
            continue;
        }
        announcements << QStringLiteral("该16bit通道由通道 ") + channel + QStringLiteral(" [") +
                             editName + QStringLiteral("] 与通道 ") + row[ChannelNumber] +
                             QStringLiteral(" [") + row[ChannelName] + before + channel + after +
                             row[ChannelNumber] + QStringLiteral("...");
        ClearChannel(row);
    }
    return announcements;
}

} // namespace

QStringList ReleaseFinePartsOnChange(ChannelRows& rows, int channel, const QString& name,
                                     const std::set<std::size_t>& spared) {
    return ReleaseFineParts(rows, channel, name, QStringLiteral("] 组成，因此，更改通道 "),
                            QStringLiteral(" 就必须删除通道 "), spared);
}

// A coarse channel falls back to 8 bit only when it has lost its last fine part: another window
// may have given it a new one while the dialog stood open. The leaving row, when it is still
// among the rows, no longer counts as its fine part.
void FallBackUnlessPaired(ChannelRows& rows, qlonglong coarseChannel,
                          std::optional<std::size_t> leaving) {
    const std::optional<std::size_t> coarse = FindChannelRow(rows, coarseChannel);
    if (!coarse) {
        return;
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i != leaving && IsFinePartOf(rows[i], coarseChannel)) {
            return;
        }
    }
    CoarseFallback(rows[*coarse]);
}

namespace {

// Deleting a channel resolves its pair: a fine part's coarse channel falls back to 8 bit, and a
// 16-bit channel's fine parts are emptied with it, each announced. self is the deleted row's
// index while it still stands among the rows.
QStringList ResolvePairOfDeleted(ChannelRows& rows, const ChannelRow& deleted, int channel,
                                 std::optional<std::size_t> self) {
    if (deleted[ChannelTypeName] == FinePartWord) {
        if (const auto coarse = ParseWholeNumber(CutNum(deleted[AttributeName]))) {
            FallBackUnlessPaired(rows, *coarse, self);
        }
        return {};
    }
    if (deleted[ChannelTypeName] != CoarseWithFinePartWord || channel == 0) {
        return {};
    }
    return ReleaseFineParts(rows, channel, deleted[ChannelName],
                            QStringLiteral("] 组成，因此删除通道 "),
                            QStringLiteral(" 也必须同时删除通道 "));
}

void WriteAttributeRow(ChannelRow& row, const ChannelFields& fields) {
    row[ChannelName] = fields.name;
    row[AttributeKey] = AttributeKeyOf(fields.attributeKey);
    if (IsChoiceOf(ControlWheelTable, fields.controlWheel)) {
        row[ControlWheel] = ControlWheelTable[fields.controlWheel].word.toString();
    }
    const ChannelTypeItem& type = ChannelTypeTable[fields.channelType];
    row[ChannelTypeName] = type.word.toString();
    row[ChannelTypeLetter] = type.letter.toString();
    row[OutputPercent] = PlainWholeNumber(fields.outputPercent);
    row[Curve] = fields.curve;
    row[Invert] = fields.inverted ? QStringLiteral("I") : QStringLiteral("N");
    const AttributeTypeItem& attribute = AttributeTypeTable[fields.attributeType];
    const QString letter = attribute.letter.toString();
    row[AttributeName] = attribute.name.toString();
    row[LocateLevel] = PlainWholeNumber(fields.locateLevel);
    // Pan and tilt take no brightness levels.
    row[HighLevel] =
        IsPanOrTilt(letter) ? QStringLiteral("-1") : PlainWholeNumber(fields.highLevel);
    row[LowLevel] = IsPanOrTilt(letter) ? QStringLiteral("-1") : PlainWholeNumber(fields.lowLevel);
    row[AttributeTypeLetter] = letter;
}

// The fine part takes its coarse channel's attribute type, and its letter "H" under a dimmer.
void WriteFinePartRow(ChannelRow& row, const ChannelFields& fields, int coarseChannel,
                      const QString& coarseLetter) {
    row[ChannelName] = fields.name;
    row[AttributeKey] = FinePartMark.toString();
    row[ControlWheel] = FinePartMark.toString();
    row[ChannelTypeName] = FinePartWord.toString();
    row[OutputPercent] = PlainWholeNumber(fields.outputPercent);
    row[Curve] = fields.curve;
    row[Invert] = fields.inverted ? QStringLiteral("I") : QStringLiteral("N");
    row[AttributeName] = FinePartName(coarseChannel);
    row[LocateLevel] = IsPanOrTilt(coarseLetter) ? QStringLiteral("128") : QStringLiteral("0");
    row[HighLevel] = QStringLiteral("0");
    row[LowLevel] = QStringLiteral("0");
    row[ChannelTypeLetter] = coarseLetter == u"H" ? QStringLiteral("H") : QStringLiteral("L");
    row[AttributeTypeLetter] = coarseLetter;
}

} // namespace

AcceptOutcome AcceptChannel(ChannelRows& rows, EditedChannel edited, int oldCoarseChannel,
                            const ChannelFields& fields) {
    AcceptOutcome outcome;
    const std::optional<std::size_t> editedRow = FindEditedRow(rows, edited);
    if (!editedRow) {
        outcome.result = AcceptOutcome::Result::ChannelGone;
        return outcome;
    }

    // A 16-bit channel gives up its fine part on every OK, whatever was changed; the releases
    // stand even when a check below refuses the OK.
    if (rows[*editedRow][ChannelTypeName] == CoarseWithFinePartWord) {
        outcome.announcements =
            ReleaseFinePartsOnChange(rows, edited.channel, rows[*editedRow][ChannelName]);
    }
    if (const auto missing = MissingField(fields, rows, edited)) {
        outcome.result = AcceptOutcome::Result::Refused;
        outcome.refusal = missing->first;
        outcome.refusalFocus = missing->second;
        return outcome;
    }

    ChannelRow& row = rows[*editedRow];
    if (!IsPartMode(fields)) {
        // A fine part given another type leaves its coarse channel only on an OK that is taken:
        // a refused OK or a cancel must not break the pair.
        if (oldCoarseChannel != 0) {
            FallBackUnlessPaired(rows, oldCoarseChannel, *editedRow);
        }
        WriteAttributeRow(row, fields);
        return outcome;
    }
    const int coarseChannel = *CoarseChannelOfItem(fields.coarseChannelItem);
    ChannelRow& coarse = rows[*FindChannelRow(rows, coarseChannel)];
    const QString coarseLetter = coarse[AttributeTypeLetter];
    CoarsePromotion(coarse);
    WriteFinePartRow(row, fields, coarseChannel, coarseLetter);
    return outcome;
}

QString DeleteQuestion(int editChannel) {
    return QStringLiteral("确定要删除通道 ") + QString::number(editChannel) +
           QStringLiteral("的数据？");
}

DeleteOutcome DeleteChannel(ChannelRows& rows, EditedChannel edited) {
    DeleteOutcome outcome;
    const std::optional<std::size_t> editedRow = FindEditedRow(rows, edited);
    if (!editedRow) {
        return outcome;
    }
    outcome.found = true;
    const ChannelRow deleted = rows[*editedRow];
    outcome.announcements = ResolvePairOfDeleted(rows, deleted, edited.channel, editedRow);
    ClearChannel(rows[*editedRow]);
    return outcome;
}

QStringList DropRowsBeyondCount(ChannelRows& rows, std::size_t count) {
    if (rows.size() <= count) {
        return {};
    }
    const ChannelRows dropped(rows.begin() + static_cast<std::ptrdiff_t>(count), rows.end());
    rows.resize(count);
    QStringList announcements;
    for (const ChannelRow& row : dropped) {
        const int channel = IntOrZero(ParseWholeNumber(row[ChannelNumber]));
        announcements << ResolvePairOfDeleted(rows, row, channel, std::nullopt);
    }
    return announcements;
}

} // namespace channels
