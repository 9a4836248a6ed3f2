#include "channels/ChannelSettings.h"

#include "channels/ChannelTable.h"
#include "channels/Vocabulary.h"

#include <limits>
#include <utility>

bool IsPartMode(const ChannelFields& fields) {
    return fields.channelType == PartTypeIndex;
}

std::optional<FieldCorrection> CurveRule(const QString& text) {
    if (text == u"1") {
        return std::nullopt;
    }
    return FieldCorrection{CurveMessage, QStringLiteral("1")};
}

std::optional<FieldCorrection> OutputPercentRule(const QString& text) {
    const std::optional<double> value = ParseNumber(text);
    if (!value) {
        return FieldCorrection{NotNumberMessage, QStringLiteral("100")};
    }
    if (*value < 0 || *value > 100) {
        return FieldCorrection{OutputRangeMessage, QStringLiteral("100")};
    }
    return std::nullopt;
}

bool IsValidLevelText(const QString& text) {
    const std::optional<double> value = ParseNumber(text);
    return value && *value >= -1 && *value <= 255;
}

namespace {

// Setting a key runs its level presets when the choice changes, as the list's own rule does.
void ChooseAttributeKey(ChannelFields& fields, int key) {
    if (fields.attributeKey == key) {
        return;
    }
    fields.attributeKey = key;
    ApplyKeyLevelPresets(fields);
}

// A box's text going through its change rule; messages are collected for the window.
QString ThroughRule(const QString& text, std::optional<FieldCorrection> (*rule)(const QString&),
                    QStringList& messages) {
    if (const std::optional<FieldCorrection> correction = rule(text)) {
        messages << correction->message;
        return correction->text;
    }
    return text;
}

QString OrDefault(const QString& cell, const QString& fallback) {
    return cell.isEmpty() ? fallback : cell;
}

QString RowItem(const ChannelRow& row) {
    return row[ChannelNumber] + QStringLiteral(" - ") + row[ChannelName];
}

bool IsPanOrTilt(const QString& attributeLetter) {
    return attributeLetter == u"E" || attributeLetter == u"F";
}

} // namespace

LoadedChannel LoadChannel(const ChannelRow& row) {
    // Field by field in the dialog's loading order, each field's rule reacting as it does when
    // the window sets the field; the stored levels come last and win over any preset.
    LoadedChannel loaded;
    ChannelFields& fields = loaded.fields;
    if (row[ChannelTypeName] == FinePartWord) {
        loaded.oldCoarseChannel =
            static_cast<int>(NamedCoarseChannel(row[AttributeName]).value_or(0));
    }
    fields.name = row[ChannelName];
    fields.channelType = ChannelTypeIndexOf(row);
    if (!row[AttributeKey].isEmpty() && row[AttributeKey] != FinePartMark) {
        ChooseAttributeKey(fields, AttributeKeyIndexOf(row[AttributeKey]));
    }
    fields.controlWheel = ControlWheelIndexOf(row[ControlWheel]);
    fields.curve =
        ThroughRule(OrDefault(row[Curve], QStringLiteral("1")), CurveRule, loaded.messages);
    const QString output = row[OutputPercent] == FinePartMark
                               ? QStringLiteral("100")
                               : OrDefault(row[OutputPercent], QStringLiteral("100"));
    fields.outputPercent = ThroughRule(output, OutputPercentRule, loaded.messages);
    fields.inverted = !(row[Invert].isEmpty() || row[Invert] == u"N");
    if (!row[AttributeTypeLetter].isEmpty()) {
        const int type = AttributeTypeIndexOf(row[AttributeTypeLetter]);
        if (type >= 0) {
            fields.attributeType = type;
            ApplyAttributeTypeDefaults(fields, row);
        }
    }
    fields.locateLevel = OrDefault(row[LocateLevel], QStringLiteral("0"));
    fields.highLevel = OrDefault(row[HighLevel], QStringLiteral("-1"));
    fields.lowLevel = OrDefault(row[LowLevel], QStringLiteral("-1"));
    return loaded;
}

CoarseChoices CoarseChannelChoices(const ChannelRows& rows, int editChannel) {
    CoarseChoices choices;
    const std::optional<std::size_t> edited = FindChannelRow(rows, editChannel);
    const QString attributeName = edited ? rows[*edited][AttributeName] : QString();
    if (attributeName.endsWith(u"fine")) {
        const std::optional<qlonglong> coarseChannel = NamedCoarseChannel(attributeName);
        const std::optional<std::size_t> coarse =
            coarseChannel ? FindChannelRow(rows, *coarseChannel) : std::nullopt;
        if (coarse) {
            choices.items << RowItem(rows[*coarse]);
            choices.selected = 0;
        }
        return choices;
    }
    for (const ChannelRow& row : rows) {
        if (ParseWholeNumber(row[ChannelNumber]) != editChannel && !row[ChannelName].isEmpty() &&
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
        ChooseAttributeKey(fields, defaults->attributeKey);
    }
    if (defaults->controlWheel >= 0 &&
        !(defaults->wheelOnlyWhenUnset && fields.controlWheel >= 0)) {
        fields.controlWheel = defaults->controlWheel;
    }
}

void ApplyKeyLevelPresets(ChannelFields& fields) {
    if (const std::optional<LevelTexts> preset = KeyLevelPreset(fields.attributeKey)) {
        fields.locateLevel = preset->locate.toString();
        fields.highLevel = preset->high.toString();
        fields.lowLevel = preset->low.toString();
    }
}

void ApplyStandardChannelName(ChannelFields& fields, int listIndex) {
    // Every field the picker writes ends up with the table's value, whatever the rules of the
    // earlier fields did to it on the way.
    if (!IsChoiceOf(StandardChannelNameTable, listIndex)) {
        fields.name.clear();
        return;
    }
    const StandardChannelName& entry = StandardChannelNameTable[listIndex];
    fields.channelType = entry.channelType;
    if (entry.attributeKey >= 0) {
        fields.attributeKey = entry.attributeKey;
        fields.attributeType = entry.attributeType;
        fields.controlWheel = entry.controlWheel;
        fields.locateLevel = entry.levels.locate.toString();
        fields.highLevel = entry.levels.high.toString();
        fields.lowLevel = entry.levels.low.toString();
    }
    fields.name = entry.name.toString();
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

int ChongFuJianCha(const ChannelRows& rows, int editChannel, int coarseChannel) {
    const QString taken = FinePartName(coarseChannel);
    int duplicates = 0;
    for (const ChannelRow& row : rows) {
        if (ParseWholeNumber(row[ChannelNumber]) != editChannel && row[AttributeName] == taken) {
            ++duplicates;
        }
    }
    return duplicates;
}

namespace {

// The checks in the order the dialog reports them; the first missing field refuses the OK.
std::optional<std::pair<QString, DialogField>> MissingField(const ChannelFields& fields,
                                                            const ChannelRows& rows) {
    using Missing = std::pair<QString, DialogField>;
    if (fields.name.isEmpty()) {
        return Missing{QStringLiteral("请填写通道名称..."), DialogField::Name};
    }
    if (!IsChoiceOf(ChannelTypeTable, fields.channelType)) {
        return Missing{QStringLiteral("请设置通道类型..."), DialogField::ChannelType};
    }
    if (IsPartMode(fields)) {
        // A coarse channel that no row carries any more is as good as none chosen.
        const std::optional<int> coarse = CoarseChannelOfItem(fields.coarseChannelItem);
        if (fields.coarseChannelItem.trimmed().size() < 5 || !coarse ||
            !FindChannelRow(rows, *coarse)) {
            return Missing{QStringLiteral("请设置其依附的16bit高8位通道..."),
                           DialogField::CoarseChannel};
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
    if (!IsChoiceOf(AttributeTypeTable, fields.attributeType)) {
        return Missing{QStringLiteral("请设置通道属性类型..."), DialogField::AttributeType};
    }
    if (fields.locateLevel.isEmpty()) {
        return Missing{QStringLiteral("请设置定位值，范围0-255，-1表示不起作用..."),
                       DialogField::LocateLevel};
    }
    if (fields.highLevel.isEmpty()) {
        return Missing{QStringLiteral("请设置高亮度的值，范围0-255，-1表示不起作用..."),
                       DialogField::HighLevel};
    }
    if (fields.lowLevel.isEmpty()) {
        return Missing{QStringLiteral("请设置低亮度的值，范围0-255，-1表示不起作用..."),
                       DialogField::LowLevel};
    }
    return std::nullopt;
}

// Empties every fine part of a 16-bit channel and announces each. OK and delete word the
// announcement differently only in the two phrases before and after the edited channel's number.
QStringList ReleaseFineParts(ChannelRows& rows, int editChannel, const QString editName,
                             const QString& before, const QString& after) {
    QStringList announcements;
    const QString channel = QString::number(editChannel);
    for (ChannelRow& row : rows) {
        if (!IsFinePartOf(row, editChannel)) {
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

void WriteAttributeRow(ChannelRow& row, const ChannelFields& fields) {
    row[ChannelName] = fields.name;
    row[AttributeKey] = AttributeKeyOf(fields.attributeKey);
    if (IsChoiceOf(ControlWheelTable, fields.controlWheel)) {
        row[ControlWheel] = ControlWheelTable[fields.controlWheel].word.toString();
    }
    const ChannelTypeItem& type = ChannelTypeTable[fields.channelType];
    row[ChannelTypeName] = type.word.toString();
    row[ChannelTypeLetter] = type.letter.toString();
    row[OutputPercent] = fields.outputPercent;
    row[Curve] = fields.curve;
    row[Invert] = fields.inverted ? QStringLiteral("I") : QStringLiteral("N");
    const AttributeTypeItem& attribute = AttributeTypeTable[fields.attributeType];
    const QString letter = attribute.letter.toString();
    row[AttributeName] = attribute.name.toString();
    row[LocateLevel] = fields.locateLevel;
    // Pan and tilt take no brightness levels.
    row[HighLevel] = IsPanOrTilt(letter) ? QStringLiteral("-1") : fields.highLevel;
    row[LowLevel] = IsPanOrTilt(letter) ? QStringLiteral("-1") : fields.lowLevel;
    row[AttributeTypeLetter] = letter;
}

// The fine part takes its coarse channel's attribute type, and its letter "H" under a dimmer.
void WriteFinePartRow(ChannelRow& row, const ChannelFields& fields, int coarseChannel,
                      const QString& coarseLetter) {
    row[ChannelName] = fields.name;
    row[AttributeKey] = FinePartMark.toString();
    row[ControlWheel] = FinePartMark.toString();
    row[ChannelTypeName] = FinePartWord.toString();
    row[OutputPercent] = fields.outputPercent;
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

AcceptOutcome AcceptChannel(ChannelRows& rows, int editChannel, int oldCoarseChannel,
                            const ChannelFields& fields) {
    AcceptOutcome outcome;
    const std::optional<std::size_t> edited = FindChannelRow(rows, editChannel);
    if (!edited) {
        outcome.result = AcceptOutcome::Result::ChannelGone;
        return outcome;
    }

    // A 16-bit channel gives up its fine part on every OK, whatever was changed; the releases
    // stand even when a check below refuses the OK.
    if (rows[*edited][ChannelTypeName] == CoarseWithFinePartWord) {
        outcome.announcements = ReleaseFineParts(rows, editChannel, rows[*edited][ChannelName],
                                                 QStringLiteral("] 组成，因此，更改通道 "),
                                                 QStringLiteral(" 就必须删除通道 "));
    }
    if (oldCoarseChannel != 0 && !IsPartMode(fields)) {
        if (const std::optional<std::size_t> oldCoarse = FindChannelRow(rows, oldCoarseChannel)) {
            CoarseFallback(rows[*oldCoarse]);
        }
    }

    if (const auto missing = MissingField(fields, rows)) {
        outcome.result = AcceptOutcome::Result::Refused;
        outcome.refusal = missing->first;
        outcome.refusalFocus = missing->second;
        return outcome;
    }

    ChannelRow& row = rows[*edited];
    if (!IsPartMode(fields)) {
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

DeleteOutcome DeleteChannel(ChannelRows& rows, int editChannel) {
    DeleteOutcome outcome;
    const std::optional<std::size_t> edited = FindChannelRow(rows, editChannel);
    if (!edited) {
        return outcome;
    }
    outcome.found = true;
    const QString typeName = rows[*edited][ChannelTypeName];
    if (typeName == FinePartWord) {
        const std::optional<qlonglong> coarseChannel =
            ParseWholeNumber(CutNum(rows[*edited][AttributeName]));
        if (coarseChannel) {
            if (const std::optional<std::size_t> coarse = FindChannelRow(rows, *coarseChannel)) {
                CoarseFallback(rows[*coarse]);
            }
        }
    } else if (typeName == CoarseWithFinePartWord) {
        outcome.announcements = ReleaseFineParts(rows, editChannel, rows[*edited][ChannelName],
                                                 QStringLiteral("] 组成，因此删除通道 "),
                                                 QStringLiteral(" 也必须同时删除通道 "));
    }
    ClearChannel(rows[*edited]);
    return outcome;
}
