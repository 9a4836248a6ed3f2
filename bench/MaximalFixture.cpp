#include "bench/MaximalFixture.h"

#include "channels/ChannelTable.h"

namespace bench {

using stores::TextTable;

namespace {

constexpr int PairCount = 256;
constexpr int RangeEntries = 16;
constexpr int PaletteEntries = 10;
constexpr int PaletteChannels = 16;
constexpr int MacroCount = 50;
constexpr int MacroSteps = 50;
constexpr int MacroChannels = 16;

QString text(Names names, const char* ascii, const char* chinese) {
    return QString::fromUtf8(names == Names::Ascii ? ascii : chinese);
}

int coarseChannel(int pair) {
    return 2 * pair + 1;
}

channels::ChannelRows pairedRows(Names names) {
    channels::ChannelRows rows;
    for (int pair = 0; pair < PairCount; ++pair) {
        const int coarse = coarseChannel(pair);
        const QString key = QStringLiteral("%1").arg(pair % 20 + 1, 2, 10, QLatin1Char('0'));
        const QString wheel = pair % 2 ? QStringLiteral("Right") : QStringLiteral("Left");
        const QString name = text(names, "Channel", "颜色轮通道") + QString::number(coarse);
        rows.push_back({QString::number(coarse), name, key, wheel, "16bit NF", "100", "1", "N",
                        name, "128", "255", "0", "S", "I"});
        rows.push_back({QString::number(coarse + 1), name + text(names, " fine", "微调"), "-", "-",
                        "Part", "100", "1", "N", channels::FinePartName(coarse), "0", "255", "0",
                        "L", "I"});
    }
    return rows;
}

void addRangeTables(stores::AdvancedStores& stores, const channels::ChannelRows& rows,
                    Names names) {
    for (int pair = 0; pair < PairCount; ++pair) {
        const channels::ChannelRow& row = rows[static_cast<size_t>(2 * pair)];
        TextTable table(3, RangeEntries);
        table.setCell(0, 0, row[channels::ChannelColumn::ChannelNumber]);
        table.setCell(1, 0, row[channels::ChannelColumn::ChannelName]);
        for (int r = 1; r <= RangeEntries; ++r) {
            table.setCell(0, r, QString::number((r - 1) * 16));
            table.setCell(1, r, QString::number((r - 1) * 16 + 15));
            table.setCell(2, r, text(names, "Slot ", "档位 ") + QString::number(r));
            table.setCell(3, r, QStringLiteral("(c-a)*2"));
        }
        stores.rangeTables.append({qint32(coarseChannel(pair)), table});
    }
}

void addPaletteGroups(stores::AdvancedStores& stores, Names names) {
    const QString groups[] = {text(names, "Pan/Tilt", "位置"), text(names, "Colour", "颜色"),
                              text(names, "Gobo", "图案")};
    for (int g = 0; g < 3; ++g) {
        TextTable table(PaletteChannels + 1, PaletteEntries);
        table.setCell(0, 0, groups[g]);
        for (int k = 0; k < PaletteChannels; ++k)
            table.setCell(k + 2, 0, QString::number(coarseChannel(g * PaletteChannels + k)));
        for (int r = 1; r <= PaletteEntries; ++r) {
            table.setCell(0, r, text(names, "Entry ", "素材 ") + QString::number(r));
            table.setCell(1, r, QString::number(g * 10 + r));
            for (int k = 0; k < PaletteChannels; ++k)
                table.setCell(k + 2, r, QString::number((r * 37 + k * 11) % 256));
        }
        stores.paletteGroups.append({groups[g], qint16(PaletteChannels), table});
    }
}

// Every fifth step waits; the others set every channel.
void addMacros(stores::AdvancedStores& stores, Names names) {
    for (int m = 0; m < MacroCount; ++m) {
        const QString name = text(names, "Macro ", "宏 ") + QString::number(m + 1);
        TextTable table(MacroChannels, MacroSteps);
        table.setCell(0, 0, name);
        for (int k = 1; k <= MacroChannels; ++k)
            table.setCell(k, 0, QString::number(k));
        for (int s = 1; s <= MacroSteps; ++s) {
            const bool delay = s % 5 == 0;
            table.setCell(0, s, delay ? QStringLiteral("1") : QStringLiteral("0"));
            for (int k = 1; k <= (delay ? 1 : MacroChannels); ++k)
                table.setCell(k, s, QString::number((s * 13 + k * 7 + m) % 256));
        }
        stores.macros.append({name, qint16(MacroChannels), table});
    }
}

} // namespace

MaximalFixture maximalFixture(Names names) {
    MaximalFixture maximal;
    writer::FixtureSnapshot& f = maximal.fixture;
    f.info.makerName = text(names, "MAKER", "灯具制造厂");
    f.info.deviceName = text(names, "SPOT-512", "五百一十二通道摇头灯");
    f.info.channelCountText = QStringLiteral("512");
    f.info.minDmx = QStringLiteral("1");
    f.info.maxDmx = QStringLiteral("1");
    f.info.divBy = QStringLiteral("1");
    f.info.maxPan = QStringLiteral("540");
    f.info.maxTilt = QStringLiteral("270");
    f.info.movingLightType = 1;
    f.channelCount = 2 * PairCount;
    f.rows = pairedRows(names);
    f.fileTitle = text(names, "SPOT-512.K36", "摇头灯.K36");
    f.versionMajor = 1;
    f.dateTimeText = QStringLiteral("2024/5/6 13:02:03");
    addRangeTables(maximal.stores, f.rows, names);
    addPaletteGroups(maximal.stores, names);
    addMacros(maximal.stores, names);
    return maximal;
}

} // namespace bench
