#include "writer/K36Format.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cmath>

namespace writer {

using channels::ChannelRow;
using stores::AdvancedStores;
using stores::RecordStore;
using stores::TextTable;
namespace MacroFields = stores::MacroFields;
namespace PaletteFields = stores::PaletteFields;
namespace RangeFields = stores::RangeFields;
using enum channels::ChannelColumn;

namespace {

// Thrown while building lines and caught at the top, so the section code reads straight.
struct Failure {
    QString reason;
};

const QString DashLine = QStringLiteral(";") + QString(76, QLatin1Char('-'));

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// A decimal number as the editors keep it: blanks around, a sign, digits with or without a
// fraction, an exponent. Nothing else (no hexadecimal, no separators, no "inf").
// Wider than the channel fields' ParseNumber: the table editors' value cells take exponents.
std::optional<double> decimalNumber(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral("^ *[+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eE][+-]?[0-9]+)? *$"));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The whole number nearest to value, halves to the even neighbour (12.5 gives 12, 13.5 gives 14).
double roundHalfEven(double value) {
    const double nearest = std::round(value);
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return nearest;
}

QString hexField(const QString& cellText, const QString& where) {
    const auto field = HexField(cellText);
    if (!field)
        throw Failure{where + QStringLiteral("：\"") + cellText +
                      QStringLiteral("\" 不是 0 至 255 之间的数值")};
    return *field;
}

// A file name cannot be allowed to break the title line apart.
QString printableTitle(QString title) {
    for (QChar& c : title) {
        if (c.unicode() < 32 || c.unicode() == 127)
            c = QLatin1Char('?');
    }
    return title;
}

QString bankText(const QString& attributeKey) {
    QString bank = attributeKey;
    if (bank.startsWith(QLatin1Char('0')))
        bank = bank.right(1);
    if (bank == QLatin1String("-"))
        bank = QStringLiteral("0");
    return bank;
}

QString faderText(const QString& controlWheel) {
    if (controlWheel == QLatin1String("Left"))
        return QStringLiteral("1");
    if (controlWheel == QLatin1String("Right"))
        return QStringLiteral("61");
    return QStringLiteral("0");
}

QString channelLine(const ChannelRow& row) {
    return LeftField(bankText(row[AttributeKey]), 4) + LeftField(faderText(row[ControlWheel]), 4) +
           LeftField(row[ChannelTypeLetter], 4) + LeftField(row[ChannelNumber], 4) +
           LeftField(row[OutputPercent], 5) + row[Curve] + LeftField(row[Invert], 4) +
           row[AttributeTypeLetter] + QStringLiteral("   ") + QStringLiteral("1   ") +
           LeftField(quoted(row[ChannelName]), 18) + LeftField(row[LocateLevel], 5) +
           LeftField(row[HighLevel], 5) + LeftField(row[LowLevel], 5);
}

QString mirrorLine(const FixtureSnapshot& fixture) {
    if (fixture.info.conventional)
        return QStringLiteral("MIRROR  0    0    0");
    return QStringLiteral("MIRROR  ") + QString::number(fixture.info.movingLightType + 1) +
           QStringLiteral("    ") + LeftField(fixture.info.maxPan, 5) + fixture.info.maxTilt;
}

void copyTable(const RecordStore& store, int column, int field, TextTable& work,
               const QString& what) {
    if (!store.copyOut(column, field, work) || work.rowUpper() < 0)
        throw Failure{what + QStringLiteral(" 没有数据表")};
}

void writeHeadAndDevice(const FixtureSnapshot& fixture, QStringList& lines) {
    lines << QStringLiteral("; \"") + fixture.info.makerName + QLatin1Char(' ') +
                 fixture.info.deviceName + QStringLiteral("\", ") + fixture.info.channelCountText +
                 QStringLiteral(" DMX Channels, filename: ") + printableTitle(fixture.fileTitle);
    lines << QStringLiteral(";");
    lines << QStringLiteral("; Create by TAVO_K36_Editor  Ver: ") +
                 QString::number(fixture.versionMajor) + QLatin1Char('.') +
                 QString::number(fixture.versionMinor) + QLatin1Char('.') +
                 QString::number(fixture.versionRevision) + QLatin1Char(' ') + fixture.dateTimeText;
    lines << QStringLiteral(";") << DashLine;
    lines << QStringLiteral("; The device name, upto 11 characters, no spaces are allowed");
    lines << QStringLiteral("DEVICE  ") + LeftField(fixture.info.deviceName, 36) +
                 fixture.info.channelCountText + QStringLiteral(" DMX Channels");
    lines << QStringLiteral("NAME ") + quoted(fixture.info.makerName) + QLatin1Char(' ') +
                 quoted(fixture.info.deviceName);
    lines << QStringLiteral(";") << DashLine;
    lines << QStringLiteral(
        "; The Type of instrument, 1 & M must required for backward compatibility");
    lines << QStringLiteral("; The middle number denotes the number of DMX channels used");
    lines << QStringLiteral("TYPE  1  ") + fixture.info.channelCountText + QStringLiteral("  M");
    lines << QStringLiteral(";") << DashLine;
    lines << QStringLiteral("; Mirror/Head resolution");
    lines << mirrorLine(fixture);
    lines << QStringLiteral(";       |    |    |")
          << QStringLiteral(";       |    |    |_______ maximum tilt movement (in degrees)")
          << QStringLiteral(";       |    |____________ maximum pan movement (in degrees)")
          << QStringLiteral(";       |_________________ 1 means moving mirror, 2 means moving head")
          << QStringLiteral(";") << DashLine;
}

void writePatchingAndLimits(const FixtureSnapshot& fixture, QStringList& lines) {
    lines << QStringLiteral("; Patching Information. (Upto 10 lines allowed)")
          << QStringLiteral("; Upto 10 lines of 159 chars are allowed including formulae")
          << QStringLiteral(
                 "; Variables used d=dmx number(1..512), h=handle(1..60), n=devicename (11-char)")
          << QStringLiteral("; Allowed modifiers")
          << QStringLiteral(";   +,-,*,/,(,) basic arithmatic")
          << QStringLiteral(";   % means remainder after divide")
          << QStringLiteral(";   & means logical AND") << QStringLiteral(";   | means logical OR")
          << QStringLiteral(
                 ";   R means reverse the bits of the current result (operates on a byte)")
          << QStringLiteral(";   ^ means logical Exclusive OR (operates on a byte)")
          << QStringLiteral(";   > means shift to the right")
          << QStringLiteral(";   < shift to the left")
          << QStringLiteral(";   r followed by number means get the value of that parameter")
          << QStringLiteral(";   d DMX address")
          << QStringLiteral(";   n Fixture name, a 0 terminated character string")
          << QStringLiteral(";   h The handle number") << QStringLiteral("DEVICEADDRESS");
    for (int i = 0; i < 4; ++i)
        lines << QStringLiteral("\"\"");
    lines << QStringLiteral("DAEND") << QStringLiteral(";") << DashLine
          << QStringLiteral("; Specify DMX limits") << QStringLiteral(";")
          << QStringLiteral("; minimum allowed dmx number")
          << QStringLiteral("MINDMX=") + fixture.info.minDmx << QStringLiteral(";")
          << QStringLiteral("; maximum allowed dmx number")
          << QStringLiteral("MAXDMX=") + fixture.info.maxDmx << QStringLiteral(";")
          << QStringLiteral("; DMX number must be divisible by this")
          << QStringLiteral("DIVBY=") + fixture.info.divBy << QStringLiteral(";") << DashLine;
}

void writeChannels(const FixtureSnapshot& fixture, QStringList& lines) {
    lines << QStringLiteral("; DMX channel description") << QStringLiteral(";")
          << QStringLiteral("; Column by column description of each DMX channel")
          << QStringLiteral("; 1. The channels bank number (1..12)")
          << QStringLiteral(
                 "; 2. The upper faders in the bank (1) or the lower faders in the bank (61)")
          << QStringLiteral("; 3. Channel type (L=LTP, H=HTP, I=Instant LTP, S=16-bit instant LTP,")
          << QStringLiteral(";    s=16-bit Fadeable LTP")
          << QStringLiteral("; 4. DMX offset (1..number of DMX channels)")
          << QStringLiteral(
                 "; 5. The output level is proportionally recdced by this level (0..100%)")
          << QStringLiteral(
                 "; 6. The curve number (applicable only to HTP channels), usually set to 1")
          << QStringLiteral("; 7. Inverted (I) or Normal (N)")
          << QStringLiteral("; 8. Attribute type (A=Color Wheel1, B=Cyan, C=Magenta, D=Yellow,")
          << QStringLiteral(
                 ";         E=Pan, F=Tilt, G=Iris, H=Dimmer, I=Gobo1, J=Gobo2, K=Gobo1_Rotate,")
          << QStringLiteral(
                 ";         L=Focus, M=Gobo2_Rotate, N=Color Wheel2, O=Shutter, P=Prism, Q=Zoom,")
          << QStringLiteral(
                 ";         R=Effect_Rotate, S=Frost, T=Red, U=Green, V=Blue, 0=uncategorised)")
          << QStringLiteral("; 9. Checksum channel (Always 1)")
          << QStringLiteral(
                 ";10. Attribute name, must be enclosed in quotes and upto 12 charcaters allowed")
          << QStringLiteral(";11. The ON value of this channel (0..255)")
          << QStringLiteral(";12. The Highlight level of this channel")
          << QStringLiteral(";13. The Lowlight level of this channel") << QStringLiteral(";")
          << QStringLiteral("DMX");

    // Grid order, not channel order: a fine row sits under its coarse channel.
    for (int i = 0; i < fixture.channelCount; ++i) {
        if (i >= static_cast<int>(fixture.rows.size()))
            throw Failure{QStringLiteral("通道表没有第 %1 行").arg(i + 1)};
        lines << channelLine(fixture.rows[i]);
    }

    lines << QStringLiteral("END") << QStringLiteral(";") << DashLine << QStringLiteral("TEXT")
          << QString() << QStringLiteral("END") << QString() << QStringLiteral("ATTR") << QString()
          << QStringLiteral("END");
}

void writePalettes(AdvancedStores& stores, QStringList& lines) {
    const RecordStore& groups = stores.paletteGroups;
    if (!groups.isNonEmpty())
        return;
    lines << QStringLiteral(";") << DashLine << QStringLiteral("; Preset Palette Tables")
          << QStringLiteral(";");
    for (int g = 0; g < groups.count(); ++g) {
        const QString group = groups.text(PaletteFields::GroupName, g);
        const QString where = QStringLiteral("素材组 \"%1\"").arg(group);
        copyTable(groups, g, PaletteFields::GroupTable, stores.paletteTable, where);
        const TextTable& table = stores.paletteTable;

        QString line =
            LeftField(QStringLiteral("PFTABLE ") + quoted(group), 23) + LeftField("-1", 4);
        for (int k = 2; k <= table.fieldUpper(); ++k)
            line += LeftField(table.cell(k, 0), 4);
        lines << line;

        for (int r = 1; r <= table.rowUpper(); ++r) {
            line = LeftField(quoted(table.cell(0, r)), 23) + LeftField(table.cell(1, r), 4);
            for (int k = 2; k <= table.fieldUpper(); ++k)
                line += hexField(table.cell(k, r),
                                 where + QStringLiteral("，素材 \"%1\"，通道 %2")
                                             .arg(table.cell(0, r), table.cell(k, 0)));
            lines << line;
        }
        lines << QStringLiteral("PFEND") << QString();
    }
}

void writeMacros(AdvancedStores& stores, QStringList& lines) {
    const RecordStore& macros = stores.macros;
    if (!macros.isNonEmpty())
        return;
    lines << QStringLiteral(";") << DashLine << QStringLiteral("; Macros") << QString();
    for (int m = 0; m < macros.count(); ++m) {
        const QString name = macros.text(MacroFields::MacroName, m);
        const QString where = QStringLiteral("宏 \"%1\"").arg(name);
        copyTable(macros, m, MacroFields::StepTable, stores.macroStepTable, where);
        const TextTable& table = stores.macroStepTable;

        QString line = LeftField(QStringLiteral("MACRO ") + quoted(name), 23) +
                       LeftField(QString::number(m + 1), 4);
        for (int k = 1; k <= table.fieldUpper(); ++k)
            line += LeftField(table.cell(k, 0), 4);
        lines << line;

        for (int r = 1; r <= table.rowUpper(); ++r) {
            const QString step = where + QStringLiteral("，第 %1 步").arg(r);
            const QString kind = table.cell(0, r);
            const auto kindNumber = decimalNumber(kind);
            if (!kindNumber)
                throw Failure{step + QStringLiteral("：步骤类型 \"") + kind +
                              QStringLiteral("\" 不是数字")};
            const bool data = *kindNumber == 0;
            line = LeftField(quoted(data ? QStringLiteral("data") : QStringLiteral("delay")), 23) +
                   LeftField(kind, 4);
            if (data) {
                for (int k = 1; k <= table.fieldUpper(); ++k)
                    line += hexField(table.cell(k, r),
                                     step + QStringLiteral("，通道 %1").arg(table.cell(k, 0)));
            } else {
                line += hexField(table.cell(1, r), step + QStringLiteral("，延时时间"));
            }
            lines << line;
        }
        lines << QStringLiteral("MEND") << QString();
    }
}

void writeRanges(AdvancedStores& stores, QStringList& lines) {
    const RecordStore& ranges = stores.rangeTables;
    if (!ranges.isNonEmpty())
        return;
    lines << QStringLiteral(";") << DashLine << QStringLiteral("; Range Tables") << QString()
          << QStringLiteral("; Column by column description...")
          << QStringLiteral("; 1. Low DMX value (inclusive)")
          << QStringLiteral("; 2. High DMX value (inclusive)")
          << QStringLiteral("; 3. Displayed text (max 11 chars)")
          << QStringLiteral("; Variables used a=low val, b=high val, c=DMX val") << QString();
    for (int c = 0; c < ranges.count(); ++c) {
        copyTable(ranges, c, RangeFields::RangeTable, stores.curRangeTable,
                  QStringLiteral("第 %1 个通道范围表").arg(c + 1));
        const TextTable& table = stores.curRangeTable;

        lines << QStringLiteral("RANGE ") + LeftField(table.cell(0, 0), 4) + QLatin1Char(';') +
                     table.cell(1, 0);
        for (int r = 1; r <= table.rowUpper(); ++r)
            lines << LeftField(table.cell(0, r), 5) + LeftField(table.cell(1, r), 5) +
                         quoted(table.cell(2, r)) + table.cell(3, r);
        lines << QStringLiteral("REND") << QString();
    }
}

} // namespace

QString LeftField(const QString& text, int width) {
    if (width <= 0)
        return {};
    if (text.size() >= width)
        return text.left(width);
    return text + QString(width - text.size(), QLatin1Char(' '));
}

std::optional<QString> HexField(const QString& cellText) {
    const auto number = decimalNumber(cellText);
    if (!number)
        return std::nullopt;
    // A DMX value is one byte: anything the rounding leaves outside it would be a wrong number
    // in the file, not a value the console could use.
    const double value = roundHalfEven(*number);
    if (value < 0 || value > 255)
        return std::nullopt;
    return LeftField(QString::number(static_cast<int>(value), 16).toUpper(), 4);
}

QString DateTimeText(const QDateTime& dateTime, const QLocale& locale) {
    const QString date = locale.toString(dateTime.date(), QLocale::ShortFormat);
    // The stamp counts whole seconds: a clock a few milliseconds past midnight is midnight.
    const QTime time = dateTime.time();
    if (time.hour() == 0 && time.minute() == 0 && time.second() == 0)
        return date;
    QString timeFormat = locale.timeFormat(QLocale::ShortFormat);
    const qsizetype minutes = timeFormat.indexOf(QLatin1String("mm"));
    if (!timeFormat.contains(QLatin1Char('s')) && minutes >= 0) {
        // The seconds follow the minutes with the separator the locale puts before the minutes.
        const QChar separator = minutes > 0 && !timeFormat[minutes - 1].isLetter()
                                    ? timeFormat[minutes - 1]
                                    : QLatin1Char(':');
        timeFormat.insert(minutes + 2, separator + QStringLiteral("ss"));
    }
    return date + QLatin1Char(' ') + locale.toString(time, timeFormat);
}

std::optional<WriteFailure> WriteFixtureLines(const FixtureSnapshot& fixture,
                                              AdvancedStores& stores, QStringList& lines) {
    try {
        writeHeadAndDevice(fixture, lines);
        writePatchingAndLimits(fixture, lines);
        writeChannels(fixture, lines);
        writePalettes(stores, lines);
        writeMacros(stores, lines);
        writeRanges(stores, lines);
    } catch (const Failure& failure) {
        return WriteFailure{failure.reason};
    }
    return std::nullopt;
}

QByteArray AnsiBytes(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            bytes.append(static_cast<char>(c.unicode()));
            continue;
        }
        // Each character alone, kept only when it comes back unchanged: the converter's own
        // substitution byte is not "?" for every character set. Fresh converters each time,
        // because resetting one does not clear its error, which would turn every character
        // after the first that cannot be held into "?" as well.
        QStringEncoder encoder("GBK");
        QStringDecoder decoder("GBK");
        if (!c.isSurrogate() && encoder.isValid()) {
            const QByteArray encoded = encoder.encode(QStringView(&c, 1));
            const bool held =
                !encoder.hasError() && decoder.decode(encoded) == QString(c) && !decoder.hasError();
            if (held) {
                bytes.append(encoded);
                continue;
            }
        }
        bytes.append('?');
    }
    return bytes;
}

QByteArray FileBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += AnsiBytes(line) + "\r\n";
    return bytes;
}

FixtureFile BuildFixtureFile(const FixtureSnapshot& fixture, AdvancedStores& stores) {
    QStringList lines;
    FixtureFile file;
    file.failure = WriteFixtureLines(fixture, stores, lines);
    file.bytes = FileBytes(lines);
    return file;
}

} // namespace writer
