#include "writer/K36Format.h"

#include "channels/ChannelTable.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

namespace writer {

using channels::ChannelRow;
using stores::AdvancedStores;
using stores::RecordStore;
using stores::TextTable;
namespace MacroFields = stores::MacroFields;
namespace PaletteFields = stores::PaletteFields;
namespace RangeFields = stores::RangeFields;
using enum channels::ChannelColumn;

using namespace std::string_view_literals;

namespace {

// Thrown while building lines and caught at the top, so the section code reads straight.
struct Failure {
    QString reason;
};

constexpr std::string_view DashLine =
    ";----------------------------------------------------------------------------";

bool isPairAt(QStringView text, qsizetype i) {
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
}

// The first characters of a text, at most the given number of them: how many UTF-16 units
// they take and how many characters they are. A surrogate pair is one character.
struct Cut {
    qsizetype units = 0;
    int characters = 0;
};

Cut cutAt(QStringView text, int characters) {
    Cut cut;
    while (cut.units < text.size() && cut.characters < characters) {
        cut.units += isPairAt(text, cut.units) ? 2 : 1;
        ++cut.characters;
    }
    return cut;
}

qsizetype digitsAt(QStringView text, qsizetype& at) {
    const qsizetype start = at;
    while (at < text.size() && text[at] >= u'0' && text[at] <= u'9')
        ++at;
    return at - start;
}

// One to three plain digits, as nearly every stored number is, read without the general
// conversion; -1 for any other text. (A plain int, not an optional: this runs for every value
// of the file.)
inline int plainNumber(QStringView text) {
    const qsizetype size = text.size();
    if (size < 1 || size > 3)
        return -1;
    const char16_t* digits = text.utf16();
    unsigned value = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned digit = digits[i] - unsigned{u'0'};
        if (digit > 9)
            return -1;
        value = value * 10 + digit;
    }
    return static_cast<int>(value);
}

// A DMX value is one byte: anything the rounding leaves outside it would be a wrong number in
// the file, not a value the console could use.
int anyDmxValue(QStringView cellText) {
    const auto number = DecimalNumber(cellText);
    if (!number)
        return -1;
    const double value = RoundHalfEven(*number);
    if (value < 0 || value > 255)
        return -1;
    return static_cast<int>(value);
}

// The DMX value a cell holds, -1 when it holds none.
inline int dmxValue(QStringView cellText) {
    if (const int plain = plainNumber(cellText); plain >= 0)
        return plain <= 255 ? plain : -1;
    return anyDmxValue(cellText);
}

// The hexadecimal field of every DMX value.
constexpr std::array<std::array<char, 4>, 256> HexFields = [] {
    std::array<std::array<char, 4>, 256> fields{};
    constexpr char digits[] = "0123456789ABCDEF";
    for (size_t value = 0; value < 256; ++value) {
        fields[value] = {' ', ' ', ' ', ' '};
        if (value < 16) {
            fields[value][0] = digits[value];
        } else {
            fields[value][0] = digits[value / 16];
            fields[value][1] = digits[value % 16];
        }
    }
    return fields;
}();

// The forms of characters in the file's character set (GBK). A character has a form only when
// its bytes read back as the character itself; any other (one the converter marks, or drops
// without a word) is written as one "?". Each form is found once through the one converter of
// the file and then looked up: a call into the converter costs far more than a look-up, and the
// characters of names repeat from line to line.
class AnsiForms {
public:
    // GBK writes a character in one or two bytes.
    struct Form {
        char32_t character = 0; // 0: no character yet, as ASCII never comes here
        qsizetype size = 0;
        std::array<char, 2> bytes{};
    };

    // The form of one character: one UTF-16 unit, or a surrogate pair.
    const Form& formOf(QStringView character) {
        const char32_t code = character.size() == 2
                                  ? QChar::surrogateToUcs4(character[0], character[1])
                                  : char32_t{character[0].unicode()};
        if (!forms_.empty()) {
            const Form& form = forms_[code % Places];
            if (form.character == code)
                return form;
        }
        return formFromConverter(character, code);
    }

private:
    // A form is kept in the place its character's low bits pick; another character there
    // replaces it, which costs a second conversion of the first if it comes again, nothing else.
    static constexpr size_t Places = 1024;

    const Form& formFromConverter(QStringView character, char32_t code);

    // Made at the first character beyond ASCII: most files need none of them.
    std::vector<Form> forms_;
    std::optional<QStringEncoder> encoder_;
    std::optional<QStringDecoder> decoder_;
};

const AnsiForms::Form& AnsiForms::formFromConverter(QStringView character, char32_t code) {
    if (forms_.empty()) {
        forms_.resize(Places);
        encoder_.emplace("GBK", QStringConverter::Flag::Stateless);
        decoder_.emplace("GBK", QStringConverter::Flag::Stateless);
    }
    Form& form = forms_[code % Places];
    form = {.character = code, .size = 1, .bytes = {'?'}};
    if (!encoder_->isValid() || !decoder_->isValid())
        return form;
    // The converter's error flag cannot tell: it stays raised from the first character without
    // a form on. Reading the bytes back can.
    const QByteArray bytes = encoder_->encode(character);
    const bool held = !bytes.isEmpty() && bytes.size() <= qsizetype(form.bytes.size()) &&
                      QString(decoder_->decode(bytes)) == character;
    if (held) {
        form.size = bytes.size();
        std::copy(bytes.begin(), bytes.end(), form.bytes.begin());
    }
    return form;
}

// Copies text to out, one byte per unit; true when every unit is ASCII. The loop has no exit
// at the first other unit, so that the compiler can run it in wide steps.
bool copyAscii(QStringView text, char* out) {
    char16_t seen = 0;
    const char16_t* units = text.utf16();
    for (qsizetype i = 0; i < text.size(); ++i) {
        seen |= units[i];
        out[i] = static_cast<char>(units[i]);
    }
    return seen < 128;
}

// The bytes of the file as its lines are made. A line counts once it is ended: a failure
// drops the line it interrupted, as a line is written whole or not at all. ASCII, nearly all
// of the file, goes straight into the buffer; other text character by character through the
// characters' forms.
class FileText {
public:
    // Room made at once for about the bytes expected, so the buffer need not grow as it fills.
    void expect(qsizetype bytes) {
        if (bytes > capacity_)
            grow(bytes - used_);
    }
    FileText& ascii(std::string_view literal) {
        std::memcpy(room(static_cast<qsizetype>(literal.size())), literal.data(), literal.size());
        return *this;
    }
    FileText& text(QStringView text) {
        if (!appendAscii(text))
            appendEncoded(text);
        return *this;
    }
    FileText& number(int value) { return ascii(std::to_string(value)); }
    FileText& quoted(QStringView text) { return ascii("\"").text(text).ascii("\""); }
    FileText& blanks(qsizetype count) {
        if (count > 0)
            std::memset(room(count), ' ', static_cast<size_t>(count));
        return *this;
    }
    // The texts, read as one, set at the left of a field of width characters.
    FileText& field(std::initializer_list<QStringView> texts, int width) {
        int left = width;
        for (const QStringView part : texts) {
            const Cut cut = cutAt(part, left);
            text(part.first(cut.units));
            left -= cut.characters;
        }
        return blanks(left);
    }
    FileText& field(QStringView text, int width) {
        if (width <= 0)
            return *this;
        // An ASCII text is the units that fit, with blanks after them.
        char* at = room(width);
        std::memset(at, ' ', static_cast<size_t>(width));
        if (!copyAscii(text.first(std::min<qsizetype>(text.size(), width)), at)) {
            used_ -= width;
            return field({text}, width);
        }
        return *this;
    }
    // A fixed ASCII text at the left of a field of width characters, which it fits.
    FileText& field(std::string_view literal, int width) {
        char* at = room(width);
        std::memset(at, ' ', static_cast<size_t>(width));
        std::memcpy(at, literal.data(), literal.size());
        return *this;
    }
    FileText& quotedField(QStringView text, int width) {
        return field({u"\"", text, u"\""}, width);
    }
    // The DMX value of every cell in its hexadecimal field. A cell that holds none throws the
    // failure that reasonAt(its position) gives; the reason is made only then.
    template <class Reason> FileText& hexFields(std::span<const QString> cells, Reason reasonAt) {
        char* at = room(4 * static_cast<qsizetype>(cells.size()));
        for (size_t k = 0; k < cells.size(); ++k, at += 4) {
            const int value = dmxValue(cells[k]);
            if (value < 0)
                throw Failure{reasonAt(k) + QStringLiteral("：\"") + cells[k] +
                              QStringLiteral("\" 不是 0 至 255 之间的数值")};
            std::memcpy(at, HexFields[static_cast<size_t>(value)].data(), 4);
        }
        return *this;
    }
    void endLine() {
        ascii("\r\n");
        lineStart_ = used_;
    }
    FileText& line(std::string_view literal) {
        ascii(literal).endLine();
        return *this;
    }
    QByteArray takeAll() {
        lineStart_ = used_;
        return takeLines();
    }
    // The lines ended so far.
    QByteArray takeLines() {
        bytes_.truncate(lineStart_);
        return std::move(bytes_);
    }

private:
    // Room for count more bytes at the end, the buffer growing by doubling.
    char* room(qsizetype count) {
        if (count > capacity_ - used_)
            grow(count);
        char* at = data_ + used_;
        used_ += count;
        return at;
    }
    void grow(qsizetype count) {
        bytes_.resize(std::max(2 * capacity_, used_ + count + 4096));
        data_ = bytes_.data();
        capacity_ = bytes_.size();
    }
    // Kept apart from text(), so that the ASCII path stays small enough to be inlined.
    void appendEncoded(QStringView text);
    bool appendAscii(QStringView text) {
        if (copyAscii(text, room(text.size())))
            return true;
        used_ -= text.size();
        return false;
    }

    QByteArray bytes_;
    char* data_ = nullptr;
    qsizetype capacity_ = 0;
    qsizetype used_ = 0;
    qsizetype lineStart_ = 0;
    AnsiForms forms_;
};

void FileText::appendEncoded(QStringView text) {
    // No character takes more bytes than UTF-16 units.
    const qsizetype most = 2 * text.size();
    char* const start = room(most);
    char* at = start;
    for (qsizetype i = 0; i < text.size();) {
        if (text[i].unicode() < 128) {
            *at++ = static_cast<char>(text[i++].unicode());
            continue;
        }
        const QStringView character = text.sliced(i, isPairAt(text, i) ? 2 : 1);
        i += character.size();
        const AnsiForms::Form& form = forms_.formOf(character);
        std::copy_n(form.bytes.data(), form.size, at);
        at += form.size;
    }
    used_ -= most - (at - start);
}

// A file name cannot be allowed to break the title line apart.
QString printableTitle(QString title) {
    for (QChar& c : title) {
        if (c.unicode() < 32 || c.unicode() == 127)
            c = QLatin1Char('?');
    }
    return title;
}

QStringView bankText(const QString& attributeKey) {
    QStringView bank = attributeKey;
    if (bank.startsWith(u'0'))
        bank = bank.last(1);
    if (bank == u"-")
        bank = u"0";
    return bank;
}

QStringView faderText(const QString& controlWheel) {
    if (controlWheel == u"Left")
        return u"1";
    if (controlWheel == u"Right")
        return u"61";
    return u"0";
}

void writeChannelLine(FileText& out, const ChannelRow& row) {
    out.field(bankText(row[AttributeKey]), 4)
        .field(faderText(row[ControlWheel]), 4)
        .field(row[ChannelTypeLetter], 4)
        .field(row[ChannelNumber], 4)
        .field(row[OutputPercent], 5)
        .text(row[Curve])
        .field(row[Invert], 4)
        .text(row[AttributeTypeLetter])
        .ascii("   1   ")
        .quotedField(row[ChannelName], 18)
        .field(row[LocateLevel], 5)
        .field(row[HighLevel], 5)
        .field(row[LowLevel], 5)
        .endLine();
}

void writeMirrorLine(FileText& out, const FixtureSnapshot& fixture) {
    if (fixture.info.conventional) {
        out.line("MIRROR  0    0    0");
        return;
    }
    out.ascii("MIRROR  ")
        .number(fixture.info.movingLightType + 1)
        .ascii("    ")
        .field(fixture.info.maxPan, 5)
        .text(fixture.info.maxTilt)
        .endLine();
}

// A section goes through the tables of its store one after the other and leaves in the work
// table a copy of the last one it reached, also when a failure stops it there, as copying each
// into the work table in turn would; only that one is copied.
class StoredTables {
public:
    // what() names the record in the reason, made only when it has no table to write.
    template <class What>
    const TextTable& at(const RecordStore& store, int column, int field, What what) {
        const TextTable* table = store.table(field, column);
        if (table)
            last_ = table;
        if (!table || table->rowUpper() < 0)
            throw Failure{what() + QStringLiteral(" 没有数据表")};
        return *table;
    }
    void leaveLastIn(TextTable& work) const {
        if (last_)
            work = *last_;
    }

private:
    const TextTable* last_ = nullptr;
};

template <class Section> void throughStoredTables(TextTable& work, Section section) {
    StoredTables tables;
    try {
        section(tables);
    } catch (const Failure&) {
        tables.leaveLastIn(work);
        throw;
    }
    tables.leaveLastIn(work);
}

void writeHeadAndDevice(FileText& out, const FixtureSnapshot& fixture) {
    const basicinfo::FixtureInfo& info = fixture.info;
    out.ascii("; \"")
        .text(info.makerName)
        .ascii(" ")
        .text(info.deviceName)
        .ascii("\", ")
        .text(info.channelCountText)
        .ascii(" DMX Channels, filename: ")
        .text(printableTitle(fixture.fileTitle))
        .endLine();
    out.line(";");
    out.ascii("; Create by TAVO_K36_Editor  Ver: ")
        .number(fixture.versionMajor)
        .ascii(".")
        .number(fixture.versionMinor)
        .ascii(".")
        .number(fixture.versionRevision)
        .ascii(" ")
        .text(fixture.dateTimeText)
        .endLine();
    out.line(";").line(DashLine);
    out.line("; The device name, upto 11 characters, no spaces are allowed");
    out.ascii("DEVICE  ")
        .field(info.deviceName, 36)
        .text(info.channelCountText)
        .ascii(" DMX Channels")
        .endLine();
    out.ascii("NAME ").quoted(info.makerName).ascii(" ").quoted(info.deviceName).endLine();
    out.line(";").line(DashLine);
    out.line("; The Type of instrument, 1 & M must required for backward compatibility");
    out.line("; The middle number denotes the number of DMX channels used");
    out.ascii("TYPE  1  ").text(info.channelCountText).ascii("  M").endLine();
    out.line(";").line(DashLine);
    out.line("; Mirror/Head resolution");
    writeMirrorLine(out, fixture);
    out.line(";       |    |    |")
        .line(";       |    |    |_______ maximum tilt movement (in degrees)")
        .line(";       |    |____________ maximum pan movement (in degrees)")
        .line(";       |_________________ 1 means moving mirror, 2 means moving head")
        .line(";")
        .line(DashLine);
}

void writePatchingAndLimits(FileText& out, const FixtureSnapshot& fixture) {
    out.line("; Patching Information. (Upto 10 lines allowed)")
        .line("; Upto 10 lines of 159 chars are allowed including formulae")
        .line("; Variables used d=dmx number(1..512), h=handle(1..60), n=devicename (11-char)")
        .line("; Allowed modifiers")
        .line(";   +,-,*,/,(,) basic arithmatic")
        .line(";   % means remainder after divide")
        .line(";   & means logical AND")
        .line(";   | means logical OR")
        .line(";   R means reverse the bits of the current result (operates on a byte)")
        .line(";   ^ means logical Exclusive OR (operates on a byte)")
        .line(";   > means shift to the right")
        .line(";   < shift to the left")
        .line(";   r followed by number means get the value of that parameter")
        .line(";   d DMX address")
        .line(";   n Fixture name, a 0 terminated character string")
        .line(";   h The handle number")
        .line("DEVICEADDRESS");
    for (int i = 0; i < 4; ++i)
        out.line("\"\"");
    out.line("DAEND").line(";").line(DashLine).line("; Specify DMX limits").line(";");
    out.line("; minimum allowed dmx number").ascii("MINDMX=").text(fixture.info.minDmx).endLine();
    out.line(";").line("; maximum allowed dmx number");
    out.ascii("MAXDMX=").text(fixture.info.maxDmx).endLine();
    out.line(";").line("; DMX number must be divisible by this");
    out.ascii("DIVBY=").text(fixture.info.divBy).endLine();
    out.line(";").line(DashLine);
}

void writeChannels(FileText& out, const FixtureSnapshot& fixture) {
    out.line("; DMX channel description")
        .line(";")
        .line("; Column by column description of each DMX channel")
        .line("; 1. The channels bank number (1..12)")
        .line("; 2. The upper faders in the bank (1) or the lower faders in the bank (61)")
        .line("; 3. Channel type (L=LTP, H=HTP, I=Instant LTP, S=16-bit instant LTP,")
        .line(";    s=16-bit Fadeable LTP")
        .line("; 4. DMX offset (1..number of DMX channels)")
        .line("; 5. The output level is proportionally recdced by this level (0..100%)")
        .line("; 6. The curve number (applicable only to HTP channels), usually set to 1")
        .line("; 7. Inverted (I) or Normal (N)")
        .line("; 8. Attribute type (A=Color Wheel1, B=Cyan, C=Magenta, D=Yellow,")
        .line(";         E=Pan, F=Tilt, G=Iris, H=Dimmer, I=Gobo1, J=Gobo2, K=Gobo1_Rotate,")
        .line(";         L=Focus, M=Gobo2_Rotate, N=Color Wheel2, O=Shutter, P=Prism, Q=Zoom,")
        .line(";         R=Effect_Rotate, S=Frost, T=Red, U=Green, V=Blue, 0=uncategorised)")
        .line("; 9. Checksum channel (Always 1)")
        .line(";10. Attribute name, must be enclosed in quotes and upto 12 charcaters allowed")
        .line(";11. The ON value of this channel (0..255)")
        .line(";12. The Highlight level of this channel")
        .line(";13. The Lowlight level of this channel")
        .line(";")
        .line("DMX");

    // Grid order, not channel order: a fine row sits under its coarse channel.
    for (int i = 0; i < fixture.channelCount; ++i) {
        if (i >= static_cast<int>(fixture.rows.size()))
            throw Failure{QStringLiteral("通道表没有第 %1 行").arg(i + 1)};
        writeChannelLine(out, fixture.rows[static_cast<size_t>(i)]);
    }

    out.line("END").line(";").line(DashLine).line("TEXT").line("").line("END").line("");
    out.line("ATTR").line("").line("END");
}

void writePaletteGroup(FileText& out, const QString& group, const TextTable& table) {
    const auto where = [&group] { return QStringLiteral("素材组 \"%1\"").arg(group); };
    out.field({u"PFTABLE \"", group, u"\""}, 23).field("-1"sv, 4);
    for (int k = 2; k <= table.fieldUpper(); ++k)
        out.field(table.cell(k, 0), 4);
    out.endLine();

    for (int r = 1; r <= table.rowUpper(); ++r) {
        out.quotedField(table.cell(0, r), 23).field(table.cell(1, r), 4);
        out.hexFields(
            table.row(r).subspan(std::min<size_t>(2, table.row(r).size())), [&](size_t k) {
                return where() + QStringLiteral("，素材 \"%1\"，通道 %2")
                                     .arg(table.cell(0, r), table.cell(static_cast<int>(k) + 2, 0));
            });
        out.endLine();
    }
    out.line("PFEND").line("");
}

void writePalettes(FileText& out, AdvancedStores& stores) {
    const RecordStore& groups = stores.paletteGroups;
    if (!groups.isNonEmpty())
        return;
    out.line(";").line(DashLine).line("; Preset Palette Tables").line(";");
    throughStoredTables(stores.paletteTable, [&](StoredTables& tables) {
        for (int g = 0; g < groups.count(); ++g) {
            const QString group = groups.text(PaletteFields::GroupName, g);
            const TextTable& table = tables.at(groups, g, PaletteFields::GroupTable, [&] {
                return QStringLiteral("素材组 \"%1\"").arg(group);
            });
            writePaletteGroup(out, group, table);
        }
    });
}

// A step kind of 0 is a data step, any other number a delay; a kind that is no number throws.
template <class Where> bool isDataStep(const QString& kind, Where step) {
    if (const int plain = plainNumber(kind); plain >= 0)
        return plain == 0;
    const std::optional<double> number = DecimalNumber(kind);
    if (!number)
        throw Failure{step() + QStringLiteral("：步骤类型 \"") + kind +
                      QStringLiteral("\" 不是数字")};
    return *number == 0;
}

template <class Where>
void writeMacroStep(FileText& out, const TextTable& table, int r, Where where) {
    const auto step = [&] { return where() + QStringLiteral("，第 %1 步").arg(r); };
    const QString& kind = table.cell(0, r);
    const bool data = isDataStep(kind, step);
    if (data)
        out.field("\"data\""sv, 23);
    else
        out.field("\"delay\""sv, 23);
    out.field(kind, 4);
    if (data) {
        out.hexFields(table.row(r).subspan(1), [&](size_t k) {
            return step() + QStringLiteral("，通道 %1").arg(table.cell(static_cast<int>(k) + 1, 0));
        });
    } else {
        out.hexFields({&table.cell(1, r), 1},
                      [&](size_t) { return step() + QStringLiteral("，延时时间"); });
    }
    out.endLine();
}

void writeMacros(FileText& out, AdvancedStores& stores) {
    const RecordStore& macros = stores.macros;
    if (!macros.isNonEmpty())
        return;
    out.line(";").line(DashLine).line("; Macros").line("");
    throughStoredTables(stores.macroStepTable, [&](StoredTables& tables) {
        for (int m = 0; m < macros.count(); ++m) {
            const QString name = macros.text(MacroFields::MacroName, m);
            const auto where = [&name] { return QStringLiteral("宏 \"%1\"").arg(name); };
            const TextTable& table = tables.at(macros, m, MacroFields::StepTable, where);

            out.field({u"MACRO \"", name, u"\""}, 23).field(QString::number(m + 1), 4);
            for (int k = 1; k <= table.fieldUpper(); ++k)
                out.field(table.cell(k, 0), 4);
            out.endLine();
            for (int r = 1; r <= table.rowUpper(); ++r)
                writeMacroStep(out, table, r, where);
            out.line("MEND").line("");
        }
    });
}

void writeRangeTable(FileText& out, const TextTable& table) {
    out.ascii("RANGE ").field(table.cell(0, 0), 4).ascii(";").text(table.cell(1, 0)).endLine();
    for (int r = 1; r <= table.rowUpper(); ++r) {
        out.field(table.cell(0, r), 5).field(table.cell(1, r), 5);
        out.quoted(table.cell(2, r)).text(table.cell(3, r)).endLine();
    }
    out.line("REND").line("");
}

void writeRanges(FileText& out, AdvancedStores& stores) {
    const RecordStore& ranges = stores.rangeTables;
    if (!ranges.isNonEmpty())
        return;
    out.line(";").line(DashLine).line("; Range Tables").line("");
    out.line("; Column by column description...")
        .line("; 1. Low DMX value (inclusive)")
        .line("; 2. High DMX value (inclusive)")
        .line("; 3. Displayed text (max 11 chars)")
        .line("; Variables used a=low val, b=high val, c=DMX val")
        .line("");
    throughStoredTables(stores.curRangeTable, [&](StoredTables& tables) {
        for (int c = 0; c < ranges.count(); ++c)
            writeRangeTable(out, tables.at(ranges, c, RangeFields::RangeTable, [c] {
                return QStringLiteral("第 %1 个通道范围表").arg(c + 1);
            }));
    });
}

// About the size of the file: the fixed lines, a channel line per channel, and a few bytes for
// every cell of the stored tables (a value takes 4, a range entry's cells a little more).
qsizetype expectedSize(const FixtureSnapshot& fixture, const AdvancedStores& stores) {
    qsizetype cells = 0;
    const auto countCells = [&cells](const RecordStore& store, int field) {
        for (int column = 0; column < store.count(); ++column) {
            if (const TextTable* table = store.table(field, column))
                cells += qsizetype(table->fieldUpper() + 2) * (table->rowUpper() + 1);
        }
    };
    countCells(stores.paletteGroups, PaletteFields::GroupTable);
    countCells(stores.macros, MacroFields::StepTable);
    countCells(stores.rangeTables, RangeFields::RangeTable);
    return 8192 + qsizetype(std::max(fixture.channelCount, 0)) * 80 + cells * 6;
}

} // namespace

std::optional<double> DecimalNumber(QStringView text) {
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text[first] == u' ')
        ++first;
    while (end > first && text[end - 1] == u' ')
        --end;
    const QStringView body = text.sliced(first, end - first);

    qsizetype at = 0;
    at += at < body.size() && (body[at] == u'+' || body[at] == u'-') ? 1 : 0;
    const qsizetype whole = digitsAt(body, at);
    const bool point = at < body.size() && body[at] == u'.';
    at += point ? 1 : 0;
    const qsizetype fraction = point ? digitsAt(body, at) : 0;
    if (whole == 0 && fraction == 0)
        return std::nullopt;
    const bool exponent = at < body.size() && (body[at] == u'e' || body[at] == u'E');
    if (exponent) {
        ++at;
        at += at < body.size() && (body[at] == u'+' || body[at] == u'-') ? 1 : 0;
        if (digitsAt(body, at) == 0)
            return std::nullopt;
    }
    if (at != body.size())
        return std::nullopt;
    return channels::ValueOfNumberText(body);
}

double RoundHalfEven(double value) {
    const double nearest = std::round(value);
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return nearest;
}

std::optional<QString> HexField(const QString& cellText) {
    const int value = dmxValue(cellText);
    if (value < 0)
        return std::nullopt;
    return QString::fromLatin1(HexFields[static_cast<size_t>(value)].data(), 4);
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

QByteArray AnsiBytes(const QString& text) {
    return FileText().text(text).takeAll();
}

QByteArray FieldBytes(const QString& text, int width) {
    return FileText().field(text, width).takeAll();
}

FixtureFile BuildFixtureFile(const FixtureSnapshot& fixture, AdvancedStores& stores) {
    FileText out;
    out.expect(expectedSize(fixture, stores));
    FixtureFile file;
    try {
        writeHeadAndDevice(out, fixture);
        writePatchingAndLimits(out, fixture);
        writeChannels(out, fixture);
        writePalettes(out, stores);
        writeMacros(out, stores);
        writeRanges(out, stores);
    } catch (const Failure& failure) {
        file.failure = WriteFailure{failure.reason};
    }
    file.bytes = out.takeLines();
    return file;
}

} // namespace writer
