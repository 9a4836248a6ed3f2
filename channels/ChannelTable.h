#pragma once

#include "channels/ChannelRow.h"

#include <QString>
#include <cstddef>
#include <optional>
#include <vector>

namespace channels {

// Rules over the whole channel table. Indexes into ChannelRows are 0-based: index i is grid
// row i + 1. A channel is always found by its ChannelNumber cell, never by its position, since
// the fine rows get moved under their coarse channels.

// ---- Number texts ----

// A whole decimal number with optional sign and surrounding blanks; nullopt for anything else,
// including values beyond qlonglong.
std::optional<qlonglong> ParseWholeNumber(const QString& text);

// A decimal number with optional sign, decimal point and surrounding blanks ("2.5", "-1",
// ".5"); nullopt for anything else. Never overflows: values too large to hold are refused, and
// values too close to 0 to hold are 0.
// Narrower than the writer's cell numbers (exponents there): a typed field's "1e2" is refused.
std::optional<double> ParseNumber(const QString& text);

// The value of a text that one of the number grammars (ParseNumber's or the writer's) has
// accepted. A number too close to 0 for a double is 0, which it rounds to anyway; a number too
// large for one is refused.
std::optional<double> ValueOfNumberText(QStringView text);

// ---- Fine parts ----

// The number part of a fine part's attribute name: the text from the third character up to the
// first blank that stands before the last character ("Ch12 fine" gives "12"); empty when there
// is no such blank or nothing stands between.
QString CutNum(const QString& text);

// A fine part is the low byte of a 16-bit channel: key and wheel are both "-".
bool IsFinePart(const ChannelRow& row);

// The coarse channel an attribute name of the form "Ch", number, " fine" names: the text left
// after dropping its first 2 and last 5 characters, when that is a whole number.
std::optional<qlonglong> NamedCoarseChannel(const QString& attributeName);

// True when the row's attribute name names channel coarseChannel as its coarse channel.
bool IsFinePartOf(const ChannelRow& row, qlonglong coarseChannel);

// "Ch", number, " fine": the attribute name of a fine part of channel coarseChannel.
QString FinePartName(qlonglong coarseChannel);

// ---- Finding and emptying channels ----

// Index of the first row whose ChannelNumber cell holds channel; nullopt when no row does.
std::optional<std::size_t> FindChannelRow(const ChannelRows& rows, qlonglong channel);

// ---- The channel lists of the later pages ----

// A row whose attribute key or control wheel is "-" counts as a fine part here: such a row can
// carry no range table or palette of its own, even when only one of the two cells is marked.
enum class FineParts { Listed, Omitted };

struct ChannelChoice {
    QString text;                 // channel number, " - ", channel name
    std::optional<qint32> number; // nullopt when the number cell holds no whole qint32

    bool operator==(const ChannelChoice&) const = default;
};

// The items of a channel list: rows 1 to count in grid order, which need not be the order of
// the channel numbers.
std::vector<ChannelChoice> ChannelChoices(const ChannelRows& rows, int count, FineParts which);

// Empties every cell but ChannelNumber.
void ClearChannel(ChannelRow& row);

// ---- Leaving the channel page ----

// False while some channel has no name; the page then shows UnnamedChannelMessage.
bool AllChannelsNamed(const ChannelRows& rows);

inline const QString UnnamedChannelMessage = QStringLiteral("DMX通道信息尚未填写完成...");

struct KeyConflict {
    enum class Kind {
        BothWheelsUsed, // a third channel on a key whose two wheels are taken
        WheelRepeated,  // two channels on the same key and wheel
    };
    Kind kind;
    std::size_t earlierRow; // index of the row the scan started from
    std::size_t laterRow;   // index of the row found further down
    QString message;        // shown with the exclamation icon and an OK button
};

// The attribute-key and control-wheel conflicts, one per pair found, in scan order. Empty when
// the table may go on. Only messages follow: no row changes and no focus moves.
std::vector<KeyConflict> CFShuXingJian(const ChannelRows& rows);

// Gives every row whose number cell is empty a channel number that no row holds yet, the
// smallest first. While the rows hold 1 to n in order this is the row's own position; once rows
// were moved and the count changed, it keeps two rows from claiming the same channel.
void NumberEmptyChannelCells(ChannelRows& rows);

// Moves every fine row directly below its coarse channel's row; the other rows keep their
// order. A fine row whose coarse channel cannot be found stays where it is.
void GroupFinePartRows(ChannelRows& rows);

// ---- 16-bit pairing of a coarse channel ----

// The coarse channel gained a fine part: "16bit", with the letter "S" for attribute types I, J,
// A and N, "s" for K, M, E and F, and its own letter for every other type.
void CoarsePromotion(ChannelRow& coarse);

// The coarse channel lost its fine part: when it carries "16bit", back to "HTP"/"H" for
// attribute type H, "Instant"/"I" for I, J, A and N, "LTP"/"L" for the others. A coarse channel
// of any other type keeps its cells.
void CoarseFallback(ChannelRow& coarse);

} // namespace channels
