#include "channels/ChannelTable.h"

#include <set>

#include "channels/Vocabulary.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>

namespace channels {

using enum ChannelColumn;

std::optional<qlonglong> ParseWholeNumber(const QString& text) {
    static const QRegularExpression whole(QStringLiteral("^\\s*[+-]?[0-9]+\\s*$"));
    if (!whole.match(text).hasMatch()) {
        return std::nullopt;
    }
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> ParseNumber(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral("^\\s*[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)\\s*$"));
    if (!number.match(text).hasMatch()) {
        return std::nullopt;
    }
    return ValueOfNumberText(text.trimmed());
}

std::optional<double> ValueOfNumberText(QStringView text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    // The conversion fails both ways: with an infinity past the largest double, with 0 below
    // the smallest.
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return ok ? value : 0.0;
}

QString CutNum(const QString& text) {
    // The blank is looked for before the last character only, and the number starts at the
    // third character: a blank at or before that leaves no number.
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u' ') {
            return i > 2 ? text.mid(2, i - 2) : QString();
        }
    }
    return {};
}

bool IsFinePart(const ChannelRow& row) {
    return row[AttributeKey] == FinePartMark && row[ControlWheel] == FinePartMark;
}

std::optional<qlonglong> NamedCoarseChannel(const QString& attributeName) {
    if (attributeName.size() < 8) {
        return std::nullopt;
    }
    return ParseWholeNumber(attributeName.mid(2, attributeName.size() - 7));
}

bool IsFinePartOf(const ChannelRow& row, qlonglong coarseChannel) {
    return NamedCoarseChannel(row[AttributeName]) == coarseChannel;
}

QString FinePartName(qlonglong coarseChannel) {
    return QStringLiteral("Ch") + QString::number(coarseChannel) + QStringLiteral(" fine");
}

std::optional<std::size_t> FindChannelRow(const ChannelRows& rows, qlonglong channel) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (ParseWholeNumber(rows[i][ChannelNumber]) == channel) {
            return i;
        }
    }
    return std::nullopt;
}

namespace {

bool MarkedFine(const ChannelRow& row) {
    return row[AttributeKey] == FinePartMark || row[ControlWheel] == FinePartMark;
}

std::optional<qint32> WholeQint32(const QString& text) {
    const std::optional<qlonglong> number = ParseWholeNumber(text);
    if (!number || *number < std::numeric_limits<qint32>::min() ||
        *number > std::numeric_limits<qint32>::max()) {
        return std::nullopt;
    }
    return static_cast<qint32>(*number);
}

} // namespace

std::vector<ChannelChoice> ChannelChoices(const ChannelRows& rows, int count, FineParts which) {
    std::vector<ChannelChoice> choices;
    const auto listed =
        static_cast<std::size_t>(std::clamp(count, 0, static_cast<int>(rows.size())));
    for (std::size_t i = 0; i < listed; ++i) {
        const ChannelRow& row = rows[i];
        if (which == FineParts::Omitted && MarkedFine(row)) {
            continue;
        }
        choices.push_back({row[ChannelNumber] + QStringLiteral(" - ") + row[ChannelName],
                           WholeQint32(row[ChannelNumber])});
    }
    return choices;
}

void ClearChannel(ChannelRow& row) {
    for (int column = static_cast<int>(ChannelName); column < ChannelColumnCount; ++column) {
        row.cells[column].clear();
    }
}

bool AllChannelsNamed(const ChannelRows& rows) {
    for (const ChannelRow& row : rows) {
        if (row[ChannelName].isEmpty()) {
            return false;
        }
    }
    return true;
}

std::vector<KeyConflict> CFShuXingJian(const ChannelRows& rows) {
    std::vector<KeyConflict> conflicts;
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
        const ChannelRow& earlier = rows[i];
        const QString& key = earlier[AttributeKey];
        if (key.isEmpty() || key == FinePartMark) {
            continue;
        }
        int sharing = 0;
        for (std::size_t j = i + 1; j < rows.size(); ++j) {
            const ChannelRow& later = rows[j];
            if (later[AttributeKey] != key) {
                continue;
            }
            ++sharing;
            if (later[ControlWheel] != earlier[ControlWheel]) {
                continue;
            }
            // The second later row on the key finds both wheels taken; any other repeat of the
            // wheel is reported as the wheel being set twice.
            if (sharing == 2) {
                conflicts.push_back({KeyConflict::Kind::BothWheelsUsed, i, j,
                                     QStringLiteral("属性键 ") + key +
                                         QStringLiteral(" 的左右两个控制轮已被使用，\r\n请将 CH") +
                                         later[ChannelNumber] + QStringLiteral(" 或者 CH") +
                                         earlier[ChannelNumber] +
                                         QStringLiteral(" 改用其他属性键控制...")});
            } else {
                conflicts.push_back({KeyConflict::Kind::WheelRepeated, i, j,
                                     QStringLiteral("属性键 ") + key +
                                         QStringLiteral(" 被重复设置了 ") + earlier[ControlWheel] +
                                         QStringLiteral(" 控制轮，\r\n请修改 CH") +
                                         later[ChannelNumber] + QStringLiteral(" 或者CH") +
                                         earlier[ChannelNumber] + QStringLiteral(" 的控制轮...")});
            }
        }
    }
    return conflicts;
}

namespace {

std::optional<std::size_t> FindChannelText(const ChannelRows& rows, const QString& number) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i][ChannelNumber] == number) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace

void NumberEmptyChannelCells(ChannelRows& rows) {
    std::set<qlonglong> held;
    for (const ChannelRow& row : rows) {
        if (const std::optional<qlonglong> n = ParseWholeNumber(row[ChannelNumber])) {
            held.insert(*n);
        }
    }
    qlonglong next = 1;
    for (ChannelRow& row : rows) {
        if (!row[ChannelNumber].isEmpty()) {
            continue;
        }
        while (held.count(next) != 0) {
            ++next;
        }
        row[ChannelNumber] = QString::number(next);
        held.insert(next);
    }
}

void GroupFinePartRows(ChannelRows& rows) {
    struct Pair {
        QString fine;
        QString coarse;
    };
    std::vector<Pair> pairs;
    for (const ChannelRow& row : rows) {
        if (!IsFinePart(row)) {
            continue;
        }
        const std::optional<qlonglong> coarseChannel = ParseWholeNumber(CutNum(row[AttributeName]));
        if (!coarseChannel) {
            continue;
        }
        if (const std::optional<std::size_t> coarse = FindChannelRow(rows, *coarseChannel)) {
            pairs.push_back({row[ChannelNumber], rows[*coarse][ChannelNumber]});
        }
    }

    // Earlier moves shift rows, so both ends of each pair are looked up again.
    for (const Pair& pair : pairs) {
        const std::optional<std::size_t> coarse = FindChannelText(rows, pair.coarse);
        const std::optional<std::size_t> fine = FindChannelText(rows, pair.fine);
        if (!coarse || !fine || *fine == *coarse + 1 || *fine == *coarse) {
            continue;
        }
        const ChannelRow moved = rows[*fine];
        const auto target = static_cast<std::ptrdiff_t>(*coarse + 1);
        rows.insert(rows.begin() + target, moved);
        const std::size_t old = *fine > *coarse ? *fine + 1 : *fine;
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(old));
    }
}

void CoarsePromotion(ChannelRow& coarse) {
    const QString& attribute = coarse[AttributeTypeLetter];
    coarse[ChannelTypeName] = CoarseWithFinePartWord.toString();
    if (attribute == u"I" || attribute == u"J" || attribute == u"A" || attribute == u"N") {
        coarse[ChannelTypeLetter] = QStringLiteral("S");
    } else if (attribute == u"K" || attribute == u"M" || attribute == u"E" || attribute == u"F") {
        coarse[ChannelTypeLetter] = QStringLiteral("s");
    }
}

void CoarseFallback(ChannelRow& coarse) {
    if (coarse[ChannelTypeName] != CoarseWithFinePartWord) {
        return;
    }
    const QString& attribute = coarse[AttributeTypeLetter];
    int type = LtpTypeIndex;
    if (attribute == u"H") {
        type = HtpTypeIndex;
    } else if (attribute == u"I" || attribute == u"J" || attribute == u"A" || attribute == u"N") {
        type = InstantTypeIndex;
    }
    coarse[ChannelTypeName] = ChannelTypeTable[type].word.toString();
    coarse[ChannelTypeLetter] = ChannelTypeTable[type].letter.toString();
}

} // namespace channels
