#include "palettes/GroupEntries.h"

#include "palettes/Colours.h"
#include "palettes/ValueRules.h"

#include <algorithm>

namespace palettes {

namespace PaletteFields = stores::PaletteFields;

namespace {

constexpr int NameField = 0;
constexpr int NumberField = 1;
constexpr int FirstValueField = 2;

EntryControl ControlOfBox(ValueBox box) {
    switch (box) {
    case ValueBox::Text2:
        return EntryControl::Text2;
    case ValueBox::Text3:
        return EntryControl::Text3;
    case ValueBox::Text4:
        return EntryControl::Text4;
    case ValueBox::Text5:
        break;
    }
    return EntryControl::Text5;
}

std::optional<int> GroupColumn(const RecordStore& groups, const QString& name) {
    for (int column = 0; column < groups.count(); ++column) {
        if (groups.text(PaletteFields::GroupName, column) == name) {
            return column;
        }
    }
    return std::nullopt;
}

} // namespace

QString NameInUseMessage(const QString& name) {
    return QStringLiteral("素材项目名称 ") + name +
           QStringLiteral(" 已使用，请重新填写素材名称...");
}

QString NumberInUseMessage(const QString& number) {
    return QStringLiteral("素材号 ") + number + QStringLiteral(" 已经被使用，请选择其他素材号...");
}

QString DeleteEntryQuestion(int row, const QString& name) {
    return QStringLiteral("确定删除第") + QString::number(row) + QStringLiteral("行的") + name +
           QStringLiteral("素材？");
}

QString GroupEmptiedMessage(const QString& groupName) {
    return groupName + QStringLiteral(" 素材组里已经没有素材项目，现在删除该素材组...");
}

GroupEntries::GroupEntries(QString groupName, GroupChannels channels)
    : m_groupName(std::move(groupName)), m_channels(std::move(channels)) {}

GroupEntries GroupEntries::FromTable(const TextTable& table, GroupChannels channels) {
    GroupEntries group(table.cell(NameField, 0), std::move(channels));
    const QStringList letters = LettersOf(group.m_channels);
    for (int row = 1; row <= table.rowUpper(); ++row) {
        PaletteEntry entry{table.cell(NameField, row), table.cell(NumberField, row), {}, {}};
        for (int field = FirstValueField; field <= table.fieldUpper(); ++field) {
            entry.values << table.cell(field, row);
        }
        entry.swatch = StoredEntrySwatch(letters, entry.values);
        group.m_entries.push_back(entry);
    }
    return group;
}

bool GroupEntries::numberInUse(const QString& number) const {
    return !number.isEmpty() &&
           std::any_of(m_entries.begin(), m_entries.end(),
                       [&](const PaletteEntry& entry) { return entry.number == number; });
}

std::optional<EntryRefusal> GroupEntries::add(const EntryInput& input) {
    if (auto refused = refusal(input, true)) {
        return refused;
    }
    if (count() < MaxEntries) {
        PaletteEntry entry;
        write(entry, input);
        m_entries.push_back(entry);
    }
    return std::nullopt;
}

std::optional<EntryRefusal> GroupEntries::update(int index, const EntryInput& input) {
    if (auto refused = refusal(input, false)) {
        return refused;
    }
    if (index >= 0 && index < count()) {
        write(m_entries[index], input);
    }
    return std::nullopt;
}

void GroupEntries::remove(int index) {
    if (index >= 0 && index < count()) {
        m_entries.erase(m_entries.begin() + index);
    }
}

TextTable GroupEntries::toTable() const {
    const int channelCount = static_cast<int>(m_channels.size());
    TextTable table(FirstValueField + channelCount - 1, count());
    table.setCell(NameField, 0, m_groupName);
    for (int k = 0; k < channelCount; ++k) {
        table.setCell(FirstValueField + k, 0, m_channels[k].number);
    }
    for (int row = 1; row <= count(); ++row) {
        const PaletteEntry& entry = m_entries[row - 1];
        table.setCell(NameField, row, entry.name);
        table.setCell(NumberField, row, entry.number);
        for (int k = 0; k < channelCount; ++k) {
            table.setCell(FirstValueField + k, row, entry.values.value(k));
        }
    }
    return table;
}

std::optional<EntryRefusal> GroupEntries::refusal(const EntryInput& input, bool adding) const {
    if (input.name.isEmpty()) {
        return EntryRefusal{NameMissingMessage, EntryControl::Text1, false};
    }
    if (input.number.isEmpty()) {
        return EntryRefusal{NumberMissingMessage, EntryControl::Combo1, false};
    }
    const auto sameName = [&](const PaletteEntry& entry) { return entry.name == input.name; };
    if (adding && std::any_of(m_entries.begin(), m_entries.end(), sameName)) {
        return EntryRefusal{NameInUseMessage(input.name), EntryControl::Text1, true};
    }
    // Choosing the number already warned, but nothing kept the user from adding anyway.
    if (adding && numberInUse(input.number)) {
        return EntryRefusal{NumberInUseMessage(input.number), EntryControl::Combo1, false};
    }
    // The file can only carry numbers: a box left holding anything else is not stored.
    for (ValueBox box : BoxesOfPanel(input.mode)) {
        if (!IsStorableValue(input.panel[IndexOf(box)])) {
            return EntryRefusal{ValueRangeMessage, ControlOfBox(box), true};
        }
    }
    return std::nullopt;
}

void GroupEntries::write(PaletteEntry& entry, const EntryInput& input) const {
    entry.name = input.name;
    entry.number = input.number;
    while (entry.values.size() < static_cast<qsizetype>(m_channels.size())) {
        entry.values << QString();
    }
    if (input.mode == ValuePanelMode::Slider) {
        if (input.clickedChannel >= 0 && input.clickedChannel < entry.values.size()) {
            entry.values[input.clickedChannel] = input.panel[IndexOf(ValueBox::Text2)];
        }
    } else {
        for (std::size_t k = 0; k < m_channels.size(); ++k) {
            if (const auto box = BoxOfLetter(input.mode, m_channels[k].letter)) {
                entry.values[static_cast<qsizetype>(k)] = input.panel[IndexOf(*box)];
            }
        }
    }
    if (const auto mix = MixOfPanel(input.mode)) {
        const ColourBoxes boxes{input.panel[IndexOf(ValueBox::Text3)],
                                input.panel[IndexOf(ValueBox::Text4)],
                                input.panel[IndexOf(ValueBox::Text5)]};
        entry.swatch = SwatchValue(ColourOfBoxes(*mix, boxes));
    }
    for (QString& value : entry.values) {
        if (value.isEmpty()) {
            value = QStringLiteral("0");
        }
    }
}

StoredGroup SaveGroupToStore(RecordStore& groups, TextTable& paletteTable,
                             const GroupEntries& group) {
    paletteTable = group.toTable();
    if (const auto column = GroupColumn(groups, group.groupName())) {
        groups.replace(*column, PaletteFields::GroupTable, paletteTable);
        return {*column, false};
    }
    const auto channelCount = static_cast<qint16>(group.channels().size());
    groups.append({group.groupName(), channelCount, paletteTable});
    return {groups.count() - 1, true};
}

} // namespace palettes
