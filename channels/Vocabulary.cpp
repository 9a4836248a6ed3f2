#include "channels/Vocabulary.h"

#include "channels/ChannelTable.h"

namespace channels {

using enum ChannelColumn;

QString AttributeKeyOf(int keyIndex) {
    if (!IsChoiceOf(AttributeKeyTable, keyIndex)) {
        return {};
    }
    return AttributeKeyTable[keyIndex].left(2).toString();
}

int ChannelTypeIndexOf(const ChannelRow& row) {
    const QString& key = row[AttributeKey];
    const QString& wheel = row[ControlWheel];
    if (key.isEmpty()) {
        return -1;
    }
    // A "0" in both cells is read as a fine part's "-" as well.
    const auto finePartMark = [](const QString& cell) { return cell == u"-" || cell == u"0"; };
    if (finePartMark(key) && finePartMark(wheel)) {
        return PartTypeIndex;
    }
    const QString& letter = row[ChannelTypeLetter];
    for (int i = 0; i < PartTypeIndex; ++i) {
        if (letter == ChannelTypeTable[i].letter) {
            return i;
        }
    }
    return HtpTypeIndex;
}

int AttributeKeyIndexOf(const QString& key) {
    const std::optional<qlonglong> value = ParseWholeNumber(key);
    if (!value || *value < 1 || *value > static_cast<qlonglong>(AttributeKeyTable.size())) {
        return -1;
    }
    return static_cast<int>(*value - 1);
}

int ControlWheelIndexOf(const QString& wheel) {
    for (int i = 0; i < static_cast<int>(ControlWheelTable.size()); ++i) {
        if (wheel == ControlWheelTable[i].word) {
            return i;
        }
    }
    return -1;
}

int AttributeTypeIndexOf(const QString& letter) {
    for (int i = 0; i < static_cast<int>(AttributeTypeTable.size()); ++i) {
        if (letter == AttributeTypeTable[i].letter) {
            return i;
        }
    }
    return -1;
}

const AttributeTypeDefault* AttributeTypeDefaultOf(QStringView letter) {
    for (const AttributeTypeDefault& row : AttributeTypeDefaults) {
        if (row.letter == letter) {
            return &row;
        }
    }
    return nullptr;
}

std::optional<LevelTexts> KeyLevelPreset(int keyIndex) {
    switch (keyIndex) {
    case 0:
        return LevelTexts{u"255", u"255", u"0"};
    case 2:
    case 4:
        return LevelTexts{u"128", u"-1", u"-1"};
    default:
        return std::nullopt;
    }
}

} // namespace channels
