#pragma once

#include "palettes/ValuePanel.h"
#include "stores/RecordStore.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace palettes {

using stores::RecordStore;
using stores::TextTable;

// The store holds one group per type, so three at most.
inline constexpr int MaxGroups = 3;
// The editor's grid has ten entry rows, and each type has ten palette numbers.
inline constexpr int MaxEntries = 10;

// One palette of a group: a row of the editor's grid and of the group's table.
struct PaletteEntry {
    QString name;
    QString number;               // the palette number, decimal text
    QStringList values;           // one per group channel, decimal text
    std::optional<qint32> swatch; // the swatch cell's colour, once one was set
    bool operator==(const PaletteEntry&) const = default;
};

struct EntryInput {
    QString name;   // Text1
    QString number; // Combo1's text, empty while none is chosen
    ValuePanelMode mode = ValuePanelMode::Slider;
    int clickedChannel = 0; // the group channel of the clicked grid column
    PanelValues panel;
};

// The control that gets the focus after a refusal.
enum class EntryControl { Text1, Combo1, Text2, Text3, Text4, Text5 };

struct EntryRefusal {
    QString message;
    EntryControl focus;
    bool selectsText; // the control's whole text is selected
    bool operator==(const EntryRefusal&) const = default;
};

inline const QString NameMissingMessage = QStringLiteral("请填写素材名称...");
inline const QString NumberMissingMessage = QStringLiteral("请为该素材选择一个执行按键...");

QString NameInUseMessage(const QString& name);
QString NumberInUseMessage(const QString& number);
QString DeleteEntryQuestion(int row, const QString& name);
QString GroupEmptiedMessage(const QString& groupName);

// The entries of the group under edit, always in rows 1, 2, 3 ... of the grid without a gap.
// Entry index i is grid row i + 1.
class GroupEntries {
public:
    GroupEntries(QString groupName = {}, GroupChannels channels = {});
    // A stored group's table; the swatches are worked out from the values.
    static GroupEntries FromTable(const TextTable& table, GroupChannels channels);

    const QString& groupName() const { return m_groupName; }
    const GroupChannels& channels() const { return m_channels; }
    const std::vector<PaletteEntry>& entries() const { return m_entries; }
    int count() const { return static_cast<int>(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }

    // Another entry already has this palette number.
    bool numberInUse(const QString& number) const;

    // A new entry after the last one. Refused without a name or a number, with a name or a
    // number another entry has, and with a value box holding no number. A full group has no
    // new-entry row to add from, so it takes nothing more.
    std::optional<EntryRefusal> add(const EntryInput& input);
    // The entry at index takes the input; its name and number may repeat another entry's. Only
    // the channels the panel carries change. Refused without a name or a number and with a
    // value box holding no number.
    std::optional<EntryRefusal> update(int index, const EntryInput& input);
    // The later entries move up one row, their swatches with them.
    void remove(int index);

    // The group's table: the header (group name, empty, channel numbers), then the entries.
    TextTable toTable() const;

private:
    std::optional<EntryRefusal> refusal(const EntryInput& input, bool adding) const;
    void write(PaletteEntry& entry, const EntryInput& input) const;

    QString m_groupName;
    GroupChannels m_channels;
    std::vector<PaletteEntry> m_entries;
};

// ---- The group in the store ----

struct StoredGroup {
    int column;    // the group's column in the store, also its position in the group list
    bool appended; // the group entered the store just now and must join the list
};

// Rebuilds the work table from the entries and puts a copy in the store: into the table field
// of the group's column when the store holds a group of that name (its name and channel count
// stay as first stored), else as a new group at the end.
StoredGroup SaveGroupToStore(RecordStore& groups, TextTable& paletteTable,
                             const GroupEntries& group);

} // namespace palettes
