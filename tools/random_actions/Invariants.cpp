#include "Invariants.h"

#include "channels/ChannelTable.h"
#include "channels/Form2.h"
#include "common/Public.h"
#include "macros/Form3_3.h"
#include "palettes/Form3_2.h"
#include "ranges/Form3_1.h"
#include "shell/Form3.h"

#include <QFile>
#include <QSet>

namespace randomactions {

using channels::ChannelColumn;
using common::Public;

namespace {

QStringList listItems(const platform::ListBox& list) {
    QStringList items;
    for (int i = 0; i < list.ListCount(); ++i) {
        items << list.List(i);
    }
    return items;
}

// The plain caption for no tables, else the caption and the count in brackets.
QString editorCaption(const QString& plain, int count) {
    return count > 0 ? QStringLiteral("%1 (%2)").arg(plain).arg(count) : plain;
}

int linesStartingWith(const QList<QByteArray>& lines, const QByteArray& start) {
    int found = 0;
    for (const QByteArray& line : lines) {
        found += line.startsWith(start) ? 1 : 0;
    }
    return found;
}

} // namespace

QStringList Invariants::check() {
    return channelPage() + finePartPairs() + rangeTables() + listsAndStores() + editorCaptions();
}

QStringList Invariants::channelPage() {
    auto* page = static_cast<channels::Form2*>(platform::windows().find("Form2"));
    if (!page || !page->Visible()) {
        return {};
    }
    QStringList wrong;
    const int count = Public().ChannelCount;
    if (page->MSFlexGrid1->Rows() != count + 1) {
        wrong << QStringLiteral("the channel grid has %1 rows for %2 channels")
                     .arg(page->MSFlexGrid1->Rows())
                     .arg(count);
    }
    QSet<QString> numbers;
    for (const channels::ChannelRow& row : page->rowsFromGrid()) {
        const QString number = row[ChannelColumn::ChannelNumber];
        if (numbers.contains(number)) {
            wrong << QStringLiteral("two rows hold channel %1").arg(number);
        }
        numbers.insert(number);
    }
    return wrong;
}

// Once the page has laid the grid out for the channel count: every fine part names a channel
// that exists, is no fine part itself, carries "16bit" and has no other fine part.
QStringList Invariants::finePartPairs() {
    auto* page = static_cast<channels::Form2*>(platform::windows().find("Form2"));
    if (!page || page->MSFlexGrid1->Rows() != Public().ChannelCount + 1) {
        return {};
    }
    const channels::ChannelRows rows = page->rowsFromGrid();
    QStringList wrong;
    QSet<qlonglong> paired;
    for (const channels::ChannelRow& row : rows) {
        if (!channels::IsFinePart(row)) {
            continue;
        }
        const QString fine = row[ChannelColumn::ChannelNumber];
        const std::optional<qlonglong> coarse =
            channels::NamedCoarseChannel(row[ChannelColumn::AttributeName]);
        const channels::ChannelRow* coarseRow = nullptr;
        if (const auto at = coarse ? channels::FindChannelRow(rows, *coarse) : std::nullopt) {
            coarseRow = &rows[*at];
        }
        if (row[ChannelColumn::ChannelTypeName] != "Part") {
            wrong << QStringLiteral("fine part %1 is not of type Part").arg(fine);
        } else if (!coarseRow) {
            wrong << QStringLiteral("fine part %1 names no channel").arg(fine);
        } else if (channels::IsFinePart(*coarseRow)) {
            wrong << QStringLiteral("fine part %1 belongs to fine part %2").arg(fine).arg(*coarse);
        } else if ((*coarseRow)[ChannelColumn::ChannelTypeName] != "16bit") {
            wrong << QStringLiteral("channel %1 has fine part %2 but is not 16bit")
                         .arg(*coarse)
                         .arg(fine);
        } else if (paired.contains(*coarse)) {
            wrong << QStringLiteral("channel %1 has two fine parts").arg(*coarse);
        }
        if (coarse) {
            paired.insert(*coarse);
        }
    }
    return wrong;
}

// Every range table is sorted, its intervals disjoint and within 0 to 255; no channel has two.
QStringList Invariants::rangeTables() {
    const stores::RecordStore& store = Public().Stores.rangeTables;
    QStringList wrong;
    QSet<QString> channels;
    for (int column = 0; column < store.count(); ++column) {
        const QString channel = store.text(stores::RangeFields::ChannelNumber, column);
        if (channels.contains(channel)) {
            wrong << QStringLiteral("channel %1 has two range tables").arg(channel);
        }
        channels.insert(channel);
        const stores::TextTable* table = store.table(stores::RangeFields::RangeTable, column);
        int lowestFree = 0;
        for (int row = 1; table && row <= table->rowUpper(); ++row) {
            const int low = table->cell(0, row).toInt(), high = table->cell(1, row).toInt();
            if (low < lowestFree || high < low || high > 255) {
                wrong << QStringLiteral("range table of channel %1: entry %2 is %3 to %4")
                             .arg(channel)
                             .arg(row)
                             .arg(low)
                             .arg(high);
            }
            lowestFree = high + 1;
        }
    }
    return wrong;
}

QStringList Invariants::listsAndStores() {
    QStringList wrong;
    if (auto* list = static_cast<palettes::Form3_2*>(platform::windows().find("Form3_2"))) {
        const QStringList names = Public().Stores.paletteGroups.names();
        if (listItems(*list->List1) != names) {
            wrong << QStringLiteral("the group list shows %1 for the groups %2")
                         .arg(listItems(*list->List1).join('|'), names.join('|'));
        }
    }
    if (auto* editor = static_cast<ranges::Form3_1*>(platform::windows().find("Form3_1"))) {
        // A channel's item is marked while the store holds a table for it. The items are the
        // grid's channels when the editor opened: the settings dialog, open beside the pages,
        // may have renamed one since.
        const channels::ChannelRows rows = platform::window<channels::Form2>().rowsFromGrid();
        const platform::ListBox& list = *editor->List1;
        for (int i = 0; i < list.ListCount(); ++i) {
            const int channel = list.ItemData(i);
            const bool stored = Public().Stores.rangeTables.findChannel(channel).has_value();
            const std::optional<std::size_t> row = channels::FindChannelRow(rows, channel);
            const bool marked =
                stored ? list.List(i).endsWith(QStringLiteral(" *"))
                       : row && list.List(i) == rows[*row][ChannelColumn::ChannelNumber] + " - " +
                                                    rows[*row][ChannelColumn::ChannelName] + " *";
            if (marked != stored) {
                wrong << QStringLiteral("the range editor lists %1 for channel %2 with%3 table")
                             .arg(list.List(i))
                             .arg(channel)
                             .arg(stored ? QString() : QStringLiteral("out a"));
            }
        }
    }
    if (auto* list = static_cast<macros::Form3_3*>(platform::windows().find("Form3_3"))) {
        const QStringList names = Public().Stores.macros.names();
        if (listItems(*list->List1) != names) {
            wrong << QStringLiteral("the macro list shows %1 for the macros %2")
                         .arg(listItems(*list->List1).join('|'), names.join('|'));
        }
    }
    return wrong;
}

QStringList Invariants::editorCaptions() {
    auto* page = static_cast<shell::Form3*>(platform::windows().find("Form3"));
    if (!page) {
        captions_ = {};
        return {};
    }
    const stores::AdvancedStores& stores = Public().Stores;
    const std::array<platform::CommandButton*, 3> buttons{page->Command4, page->Command5,
                                                          page->Command6};
    const std::array<QString, 3> plain{QStringLiteral("范围表编辑"), QStringLiteral("素材表编辑"),
                                       QStringLiteral("宏功能编辑")};
    const std::array<int, 3> counts{stores.rangeTables.count(), stores.paletteGroups.count(),
                                    stores.macros.count()};
    QStringList wrong;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const QString caption = buttons[i]->Caption();
        if (caption != captions_[i] && caption != editorCaption(plain[i], counts[i])) {
            wrong << QStringLiteral("the advanced page shows %1 for %2 tables")
                         .arg(caption)
                         .arg(counts[i]);
        }
        captions_[i] = caption;
    }
    return wrong;
}

QStringList Invariants::savedFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {QStringLiteral("the saved file %1 cannot be read").arg(path)};
    }
    const QByteArray bytes = file.readAll();
    QStringList wrong;
    if (!bytes.endsWith("\r\n") || bytes.count('\n') != bytes.count("\r\n")) {
        wrong << QStringLiteral("a line of %1 does not end in CR LF").arg(path);
    }
    const QList<QByteArray> lines = bytes.split('\n');
    for (const QByteArray& line : lines) {
        // A quote inside a quoted field would end it early and shift the rest of the line.
        if (!line.startsWith(';') && line.count('"') % 2 != 0) {
            wrong << QStringLiteral("%1 has a line with an odd number of quotes: %2")
                         .arg(path, QString::fromLocal8Bit(line.trimmed()));
        }
    }
    const stores::AdvancedStores& stores = Public().Stores;
    const struct {
        const char* start;
        const stores::RecordStore& store;
    } sections[] = {{"PFTABLE ", stores.paletteGroups},
                    {"MACRO ", stores.macros},
                    {"RANGE ", stores.rangeTables}};
    for (const auto& section : sections) {
        const int expected = section.store.isNonEmpty() ? section.store.count() : 0;
        const int found = linesStartingWith(lines, section.start);
        if (found != expected) {
            wrong << QStringLiteral("%1 holds %2 %3blocks for %4")
                         .arg(path)
                         .arg(found)
                         .arg(QString::fromLatin1(section.start))
                         .arg(expected);
        }
    }
    const qsizetype dmx = lines.indexOf("DMX\r"), end = lines.indexOf("END\r", dmx);
    if (dmx < 0 || end - dmx - 1 != Public().ChannelCount) {
        wrong << QStringLiteral("%1 does not hold one line per channel").arg(path);
    }
    return wrong;
}

} // namespace randomactions
