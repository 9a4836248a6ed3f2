#include "writer/K36Format.h"

#include <QFile>
#include <QStringDecoder>
#include <gtest/gtest.h>

using namespace writer;
using namespace stores;
using basicinfo::FixtureInfo;

namespace {

TextTable tableOf(const std::vector<QStringList>& rows) {
    qsizetype fields = 0;
    for (const QStringList& row : rows)
        fields = std::max(fields, row.size());
    TextTable table(static_cast<int>(fields) - 1, static_cast<int>(rows.size()) - 1);
    for (size_t r = 0; r < rows.size(); ++r) {
        for (qsizetype f = 0; f < rows[r].size(); ++f)
            table.setCell(static_cast<int>(f), static_cast<int>(r), rows[r][f]);
    }
    return table;
}

// Stand-ins for whatever an editor last left in the work tables.
void markWorkTables(AdvancedStores& stores) {
    stores.curRangeTable = tableOf({{"editor range"}});
    stores.paletteTable = tableOf({{"editor palette"}});
    stores.macroStepTable = tableOf({{"editor macro"}});
}

bool workTablesAsMarked(const AdvancedStores& stores) {
    return stores.curRangeTable == tableOf({{"editor range"}}) &&
           stores.paletteTable == tableOf({{"editor palette"}}) &&
           stores.macroStepTable == tableOf({{"editor macro"}});
}

FixtureSnapshot fixtureOf(const FixtureInfo& info, int channelCount, channels::ChannelRows rows,
                          const QString& fileTitle, std::array<int, 3> version,
                          const QString& dateTime) {
    return {info,       channelCount, std::move(rows), fileTitle,
            version[0], version[1],   version[2],      dateTime};
}

FixtureSnapshot conventionalFixture() {
    // A conventional fixture ignores whatever the moving-light fields still hold.
    const FixtureInfo info{"MAKER", "PAR64", "4", "1", "509", "1", "540", "270", true, 1};
    return fixtureOf(
        info, 4,
        {{"1", "Dimmer", "01", "Left", "HTP", "100", "1", "N", "Dimmer", "255", "255", "0", "H",
          "H"},
         {"2", "Red", "10", "Right", "LTP", "100", "1", "N", "Red", "0", "255", "0", "L", "T"},
         {"3", "GreenChannelLongName", "", "-", "LTP", "100", "1", "I", "Green", "0", "255", "0",
          "L", "U"},
         {"4", "Strobe", "20", "Other", "Instant", "100", "1", "N", "Shutter", "0", "255", "0", "I",
          "O"},
         // Beyond the channel count: never written.
         {"5", "Spare", "02", "Left", "LTP", "100", "1", "N", "Spare", "0", "255", "0", "L", "0"}},
        "PAR64.K36", {1, 6, 21}, "2024/5/6 13:02:03");
}

FixtureSnapshot movingHeadFixture() {
    const FixtureInfo info{"灯具厂", "SPOT-1234567890-ABCDEFGHIJKLMNOPQRSTUVWXYZ",
                           "5",      "1",
                           "508",    "1",
                           "540",    "270",
                           false,    1};
    return fixtureOf(info, 5,
                     {{"1", "Pan", "05", "Left", "16bit NF", "100", "1", "N", "Pan", "128", "255",
                       "0", "S", "E"},
                      {"3", "Pan fine", "-", "-", "Part", "100", "1", "N", "Ch1 fine", "0", "255",
                       "0", "L", "E"},
                      {"2", "Tilt", "06", "Left", "16bit NF", "100", "1", "I", "Tilt", "128", "255",
                       "0", "S", "F"},
                      {"4", "Tilt fine", "-", "-", "Part", "100", "1", "N", "Ch2 fine", "0", "255",
                       "0", "L", "F"},
                      {"5", "Dimmer", "01", "Right", "HTP", "100", "1", "N", "Dimmer", "255", "255",
                       "0", "H", "H"}},
                     "摇头灯.K36", {2, 0, 3}, "2024/12/31 23:59:59");
}

FixtureSnapshot scannerFixture() {
    const QStringList names = {"Pan", "Tilt", "Dimmer", "Shutter", "Red", "Green", "Gobo"};
    const QStringList types = {"E", "F", "H", "O", "T", "U", "I"};
    const QStringList locate = {"128", "128", "255", "255", "0", "0", "0"};
    channels::ChannelRows rows;
    for (int i = 0; i < 7; ++i) {
        const QString number = QString::number(i + 1);
        const QString letter = i == 2 ? "H" : i == 6 ? "I" : "L";
        rows.push_back({number, names[i], "0" + number, "Left", "", "100", "1", "N", names[i],
                        locate[i], "255", "0", letter, types[i]});
    }
    const FixtureInfo info{"MAKER", "SCAN1", "7", "1", "506", "2", "180", "90", false, 0};
    return fixtureOf(info, 7, rows, "SCAN1.K36", {1, 0, 0}, "2024/1/2 3:04:05");
}

const TextTable colourTable =
    tableOf({{"Colour", "", "5", "6"}, {"Red", "1", "255", "0"}, {"Half", "2", "10", "128"}});
const TextTable goboTable = tableOf({{"Gobo", "", "7"}, {"Gobo1", "11", "16"}});
const TextTable chaseTable = tableOf({{"Chase", "5", "6"}, {"0", "255", "128"}, {"1", "10", ""}});
const TextTable fadeTable = tableOf({{"Fade", "7"}, {"0", "0"}, {"1", "255"}});
const TextTable goboRanges =
    tableOf({{"7", "Gobo", "", ""}, {"0", "15", "Open", "a"}, {"16", "255", "", "c-16"}});
const TextTable redRanges = tableOf({{"5", "Red", "", ""}, {"0", "255", "Red", "a"}});

AdvancedStores scannerStores() {
    AdvancedStores stores;
    stores.paletteGroups.append({QString("Colour"), qint16(2), colourTable});
    stores.paletteGroups.append({QString("Gobo"), qint16(1), goboTable});
    stores.macros.append({QString("Chase"), qint16(2), chaseTable});
    stores.macros.append({QString("Fade"), qint16(1), fadeTable});
    stores.rangeTables.append({qint32(7), goboRanges});
    stores.rangeTables.append({qint32(5), redRanges});
    markWorkTables(stores);
    return stores;
}

void expectGolden(const FixtureFile& file, const char* name) {
    ASSERT_FALSE(file.failure) << file.failure->reason.toStdString();
    QFile golden(QStringLiteral(K36_GOLDEN_DIR "/") + QString::fromLatin1(name));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly)) << name;
    const QList<QByteArray> actual = file.bytes.split('\n');
    const QList<QByteArray> expected = golden.readAll().split('\n');
    for (qsizetype i = 0; i < std::min(actual.size(), expected.size()); ++i) {
        ASSERT_EQ(actual[i].toStdString(), expected[i].toStdString()) << name << " line " << i + 1;
    }
    EXPECT_EQ(actual.size(), expected.size());
}

// The file's lines as text: a line ends with CR LF, so bytes after the last line end would
// show as a last line of their own.
QStringList linesOfBytes(const QByteArray& bytes) {
    QStringList lines = QString(QStringDecoder("GBK").decode(bytes)).split(QStringLiteral("\r\n"));
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList linesOf(const FixtureSnapshot& fixture, AdvancedStores& stores) {
    const FixtureFile file = BuildFixtureFile(fixture, stores);
    EXPECT_FALSE(file.failure) << file.failure->reason.toStdString();
    return linesOfBytes(file.bytes);
}

} // namespace

TEST(WriterGolden, ConventionalFixtureWithoutStores) {
    AdvancedStores stores;
    markWorkTables(stores);
    expectGolden(BuildFixtureFile(conventionalFixture(), stores), "conventional.K36");
    // Nothing was written from the stores, so the editors' work tables stand.
    EXPECT_TRUE(workTablesAsMarked(stores));
}

TEST(WriterGolden, MovingHeadWithFineRowsUnderTheirCoarseRows) {
    AdvancedStores stores;
    expectGolden(BuildFixtureFile(movingHeadFixture(), stores), "movinghead.K36");
}

TEST(WriterGolden, PaletteMacroAndRangeSections) {
    AdvancedStores stores = scannerStores();
    expectGolden(BuildFixtureFile(scannerFixture(), stores), "tables.K36");
    // Each work table is left holding the last table its section went through.
    EXPECT_EQ(stores.paletteTable, goboTable);
    EXPECT_EQ(stores.macroStepTable, fadeTable);
    EXPECT_EQ(stores.curRangeTable, redRanges);
    // The stores themselves are only read.
    EXPECT_EQ(*stores.macros.table(MacroFields::StepTable, 0), chaseTable);
}

TEST(WriterFields, FieldPadsOrCutsByCharacters) {
    const QByteArray lamp = QByteArray::fromHex("b5c6bedf"); // 灯具
    const std::vector<std::tuple<QString, int, QByteArray>> cases{
        {"ab", 4, "ab  "},
        {"abcdef", 4, "abcd"},
        {"", 5, "     "},
        {"灯具", 4, lamp + "  "},
        {"灯具abc", 3, lamp + "a"},
        {"abc", 0, ""},
        {"abc", -3, ""},
        // A character outside the Basic Multilingual Plane takes one place, and a cut keeps it
        // whole.
        {"😀a", 3, "?a "},
        {"a😀b", 2, "a?"},
        {"😀😀😀", 2, "??"}};
    for (const auto& [text, width, field] : cases)
        EXPECT_EQ(FieldBytes(text, width), field) << text.toStdString() << width;
}

TEST(WriterFields, HexFieldWritesDmxValuesAndRefusesEverythingElse) {
    // A colour box keeps a fraction or an exponent as typed, and so does the store: the value is
    // rounded, halves to the even neighbour.
    const std::vector<std::pair<QString, QString>> written{
        {"0", "0   "},    {"10", "A   "},      {"255", "FF  "},   {" 7 ", "7   "},
        {"+12", "C   "},  {"007", "7   "},     {"-0", "0   "},    {"12.5", "C   "},
        {"13.5", "E   "}, {"12.51", "D   "},   {".5", "0   "},    {"7.", "7   "},
        {"1e2", "64  "},  {"2.55E+2", "FF  "}, {"255.4", "FF  "}, {"-0.4", "0   "}};
    for (const auto& [cell, field] : written)
        EXPECT_EQ(HexField(cell), field) << cell.toStdString();
    // Too close to 0 for a double is the 0 it rounds to.
    for (const QString& cell :
         {QString("1e-400"), QString("-1E-400"), "0." + QString(400, '0') + "1"})
        EXPECT_EQ(HexField(cell), "0   ") << cell.toStdString();
    // Outside one byte a number would come out wrong or cut (65536 as "1000"), so it is refused.
    QStringList refused = QString("abc 1e &HFF 0x10 12a + - . 1,5 inf nan -1 -0.6 255.5 256 65536 "
                                  "2147483648 1e400 99999999999999999999999")
                              .split(' ');
    refused << ""
            << " "
            << "1 2"
            << "- 1";
    for (const QString& cell : refused)
        EXPECT_FALSE(HexField(cell)) << cell.toStdString();
}

TEST(WriterFields, MirrorLineFollowsKindAndType) {
    AdvancedStores stores;
    FixtureSnapshot fixture = movingHeadFixture();
    const auto mirrorLine = [&](auto change) {
        change(fixture.info);
        return linesOf(fixture, stores)[16];
    };
    EXPECT_EQ(mirrorLine([](FixtureInfo&) {}), "MIRROR  2    540  270");
    EXPECT_EQ(mirrorLine([](FixtureInfo& i) { i.movingLightType = 0; }), "MIRROR  1    540  270");
    EXPECT_EQ(mirrorLine([](FixtureInfo& i) { i.movingLightType = -1; }), "MIRROR  0    540  270");
    EXPECT_EQ(mirrorLine([](FixtureInfo& i) { i.maxPan = "123456"; }), "MIRROR  0    12345270");
    EXPECT_EQ(mirrorLine([](FixtureInfo& i) { i.conventional = true; }), "MIRROR  0    0    0");
}

TEST(WriterFields, DateTimeTextHasSecondsExceptAtMidnight) {
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    const QDate day(2024, 5, 6);
    EXPECT_EQ(DateTimeText(QDateTime(day, QTime(13, 2, 3)), chinese), "2024/5/6 13:02:03");
    EXPECT_EQ(DateTimeText(QDateTime(day, QTime(0, 0, 1)), chinese), "2024/5/6 00:00:01");
    EXPECT_EQ(DateTimeText(QDateTime(day, QTime(0, 0)), chinese), "2024/5/6");
    // The clock's milliseconds do not show, so they do not make midnight a time either.
    EXPECT_EQ(DateTimeText(QDateTime(day, QTime(0, 0, 0, 999)), chinese), "2024/5/6");
    EXPECT_EQ(DateTimeText(QDateTime(day, QTime(13, 2, 3)), QLocale(QLocale::English)),
              "5/6/24 1:02:03 PM");
    // The seconds take the separator the locale puts before the minutes.
    EXPECT_EQ(DateTimeText(QDateTime(day, QTime(13, 2, 3)), QLocale(QLocale::Finnish)),
              "6.5.2024 13.02.03");
}

TEST(WriterSections, OnlyTheFirstColumnOfAStoreDecidesItsSection) {
    AdvancedStores stores;
    stores.paletteGroups.append({QString(), qint16(1), goboTable});
    stores.paletteGroups.append({QString("Gobo"), qint16(1), goboTable});
    stores.macros.append({QString(), qint16(1), fadeTable});
    stores.macros.append({QString("Fade"), qint16(1), fadeTable});
    stores.rangeTables.append({QString(), redRanges});
    stores.rangeTables.append({qint32(5), redRanges});
    markWorkTables(stores);
    EXPECT_EQ(linesOf(scannerFixture(), stores).size(), 91 + 7);
    EXPECT_TRUE(workTablesAsMarked(stores));

    // One section alone adds its own lines and nothing else.
    AdvancedStores rangesOnly;
    rangesOnly.rangeTables.append({qint32(5), redRanges});
    const QStringList lines = linesOf(scannerFixture(), rangesOnly);
    EXPECT_EQ(lines.size(), 91 + 7 + 10 + 1 + 3);
    EXPECT_EQ(lines[91 + 7 - 1], "END");
    EXPECT_EQ(lines[91 + 7 + 2], "; Range Tables");
}

TEST(WriterSections, StepKindChoosesDataOrDelayAndIsWrittenAsTyped) {
    AdvancedStores stores;
    stores.macros.append(
        {QString("Kinds"), qint16(2),
         tableOf({{"Kinds", "5", "6"}, {" 0", "1", "2"}, {"2", "30", ""}, {"-1", "4", "junk"}})});
    const QStringList lines = linesOf(scannerFixture(), stores);
    const qsizetype macroLine = lines.indexOf(QStringLiteral("; Macros")) + 2;
    EXPECT_EQ(lines.mid(macroLine, 4), QStringList({"MACRO \"Kinds\"          1   5   6   ",
                                                    "\"data\"                  0  1   2   ",
                                                    "\"delay\"                2   1E  ",
                                                    // A delay reads its time cell alone.
                                                    "\"delay\"                -1  4   "}));
}

TEST(WriterFailure, AValueThatIsNoNumberStopsTheWritingWhereItIs) {
    AdvancedStores stores = scannerStores();
    TextTable badGobo = goboTable;
    badGobo.setCell(2, 1, "abc");
    stores.paletteGroups.replace(1, PaletteFields::GroupTable, badGobo);

    const FixtureFile file = BuildFixtureFile(scannerFixture(), stores);
    ASSERT_TRUE(file.failure);
    // The technician must be able to find the value.
    EXPECT_EQ(file.failure->reason,
              "素材组 \"Gobo\"，素材 \"Gobo1\"，通道 7：\"abc\" 不是 0 至 255 之间的数值");
    // Everything up to the failing group's header line was complete; the entry line that
    // failed is not there even in part.
    const QStringList lines = linesOfBytes(file.bytes);
    EXPECT_EQ(lines.size(), 91 + 7 + 4 + 5 + 1);
    EXPECT_EQ(lines.last(), "PFTABLE \"Gobo\"         -1  7   ");
    EXPECT_EQ(stores.paletteTable, badGobo);
    EXPECT_EQ(stores.macroStepTable, tableOf({{"editor macro"}}));
    EXPECT_EQ(stores.curRangeTable, tableOf({{"editor range"}}));
}

TEST(WriterFailure, EveryUnreadableInputIsReportedInTheUsersWords) {
    const auto reasonOf = [](const FixtureSnapshot& fixture, AdvancedStores stores) {
        const auto failure = BuildFixtureFile(fixture, stores).failure;
        return failure ? failure->reason : QStringLiteral("(written)");
    };
    const auto withMacro = [](const TextTable& steps) {
        AdvancedStores stores;
        stores.macros.append({QString("M"), qint16(2), steps});
        return stores;
    };
    AdvancedStores noTable;
    noTable.rangeTables.append({qint32(5), QString("not a table")});
    AdvancedStores emptyTable;
    emptyTable.paletteGroups.append({QString("Gobo"), qint16(1), TextTable()});
    const FixtureSnapshot fixture = scannerFixture();
    FixtureSnapshot shortGrid = fixture;
    shortGrid.channelCount = 8;
    FixtureSnapshot noChannels = fixture;
    noChannels.channelCount = 0;

    const std::vector<std::tuple<FixtureSnapshot, AdvancedStores, QString>> cases{
        {fixture, withMacro(tableOf({{"M", "5", "6"}, {"0", "1", ""}})),
         "宏 \"M\"，第 1 步，通道 6：\"\" 不是 0 至 255 之间的数值"},
        {fixture, withMacro(tableOf({{"M", "5", "6"}, {"x", "1", "2"}})),
         "宏 \"M\"，第 1 步：步骤类型 \"x\" 不是数字"},
        {fixture, withMacro(tableOf({{"M", "5", "6"}, {"", "1", "2"}})),
         "宏 \"M\"，第 1 步：步骤类型 \"\" 不是数字"},
        {fixture, withMacro(tableOf({{"M"}, {"1"}})),
         "宏 \"M\"，第 1 步，延时时间：\"\" 不是 0 至 255 之间的数值"},
        {fixture, withMacro(tableOf({{"M", "5", "6"}, {"0", "-1", "2"}})),
         "宏 \"M\"，第 1 步，通道 5：\"-1\" 不是 0 至 255 之间的数值"},
        {fixture, noTable, "第 1 个通道范围表 没有数据表"},
        {fixture, emptyTable, "素材组 \"Gobo\" 没有数据表"},
        {shortGrid, AdvancedStores(), "通道表没有第 8 行"},
        {noChannels, AdvancedStores(), "(written)"},
    };
    for (const auto& [snapshot, stores, reason] : cases)
        EXPECT_EQ(reasonOf(snapshot, stores), reason);
}

TEST(WriterEncoding, ChineseTextIsWrittenInGbkAndWhatItCannotHoldBecomesAQuestionMark) {
    EXPECT_EQ(AnsiBytes("灯具厂"), QByteArray::fromHex("b5c6bedfb3a7"));
    EXPECT_EQ(AnsiBytes("Aé"), QByteArray::fromHex("41a8a6"));
    // A character that cannot be held costs only its own place.
    EXPECT_EQ(AnsiBytes("☃灯☃€灯"),
              QByteArray("?") + QByteArray::fromHex("b5c6") + "?" + QByteArray::fromHex("80b5c6"));
    // A character outside the Basic Multilingual Plane is one character, so one mark; so is
    // half a pair standing alone.
    EXPECT_EQ(AnsiBytes("x😀y"), "x?y");
    EXPECT_EQ(AnsiBytes(QString(QChar(0xD800))), "?");
    EXPECT_EQ(AnsiBytes(QString(QChar(0xD83D)) + "灯"),
              QByteArray("?") + QByteArray::fromHex("b5c6"));
    // Characters the encoder would drop without a trace (a soft hyphen, a joiner) still take
    // their place, as their fields count them.
    EXPECT_EQ(AnsiBytes(QString("a") + QChar(0x00AD) + "b" + QChar(0x200D) + "灯"),
              QByteArray("a?b?") + QByteArray::fromHex("b5c6"));

    // Fields count characters, not bytes; control characters in the title are marks too.
    FixtureSnapshot fixture = conventionalFixture();
    fixture.info.deviceName = "摇头灯";
    fixture.fileTitle = QString("A\r\nB\tC") + QChar(127) + QChar(0) + "☃.K36";
    AdvancedStores stores;
    const QByteArray bytes = BuildFixtureFile(fixture, stores).bytes;
    EXPECT_TRUE(bytes.contains(QByteArray("DEVICE  ") + QByteArray::fromHex("d2a1cdb7b5c6") +
                               QByteArray(33, ' ') + "4 DMX Channels\r\n"));
    EXPECT_TRUE(bytes.contains("filename: A??B?C???.K36\r\n;\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 91 + 4);
    EXPECT_EQ(bytes.count('\n'), 91 + 4);

    // An emoji in a channel name is one place of the name's field: the columns after it stay.
    // Text after a character without a form (the title's snowman) is still written whole.
    fixture.rows[0][channels::ChannelColumn::ChannelName] = "😀灯";
    fixture.info.deviceName = "摇头灯";
    const QByteArray named = BuildFixtureFile(fixture, stores).bytes;
    EXPECT_TRUE(named.contains(QByteArray("1   \"?") + QByteArray::fromHex("b5c6") + "\"" +
                               QByteArray(14, ' ') + "255  255  0    \r\n"));
    EXPECT_TRUE(named.contains(QByteArray("DEVICE  ") + QByteArray::fromHex("d2a1cdb7b5c6") +
                               QByteArray(33, ' ') + "4 DMX Channels\r\n"));
}
