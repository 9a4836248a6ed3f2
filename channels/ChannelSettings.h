#pragma once

#include "channels/ChannelRow.h"

#include <QString>
#include <QStringList>
#include <cstddef>
#include <optional>
#include <set>

namespace channels {

// The channel settings dialog's rules without the dialog: the window maps its controls to
// ChannelFields and shows what these functions return. The dialog edits one channel, which it
// finds again whenever it reads or writes the table: the row it was opened on may have moved or
// gone in the meantime.

// What the dialog's fields hold. List fields are list positions, -1 for no choice.
struct ChannelFields {
    QString name;
    int channelType = -1;
    int attributeKey = -1;
    int controlWheel = -1;
    QString curve = QStringLiteral("1");
    QString outputPercent = QStringLiteral("100");
    bool inverted = false;
    int attributeType = -1;
    QString locateLevel = QStringLiteral("0");
    QString highLevel = QStringLiteral("-1");
    QString lowLevel = QStringLiteral("-1");
    // Text of the coarse-channel list: the coarse channel's number, " - " and its name.
    QString coarseChannelItem;

    bool operator==(const ChannelFields&) const = default;
};

// True when the fields describe a fine part (the dialog then shows the coarse-channel list).
bool IsPartMode(const ChannelFields& fields);

// ---- Field rules ----

struct FieldCorrection {
    QString message;
    QString text; // what the box holds after the message
};

inline const QString CurveMessage = QStringLiteral("通道曲线通常设为 1...");
inline const QString NotNumberMessage = QStringLiteral("请输入数字值...");
inline const QString OutputRangeMessage = QStringLiteral("请输入数值范围0-100...");
inline const QString LevelRangeMessage = QStringLiteral("范围 0-255，-1 表示不起作用...");

// Curve box on every change: anything but "1" is put back to "1".
std::optional<FieldCorrection> CurveRule(const QString& text);

// The output percent and the levels fill whole-number columns of the file: a fraction is no
// value for them, while "+5", " 5" and "1." are whole numbers that are stored plain.

// Output box on every change: a whole number from 0 to 100 stands, anything else becomes "100".
std::optional<FieldCorrection> OutputPercentRule(const QString& text);

// Level boxes when the focus leaves: a whole number from -1 to 255. When false the window shows
// LevelRangeMessage, keeps the focus and selects the whole text.
bool IsValidLevelText(const QString& text);

// A whole number as the file's columns take it: "+5", " 5" and "1." give "5", "5" and "1".
// Any other text stays as it is.
QString PlainWholeNumber(const QString& text);

// The channel the dialog was opened on: the grid row clicked (1-based) and the channel number
// that row held then.
struct EditedChannel {
    int row = 0;
    int channel = 0;
};

// A row or channel number as the dialog keeps it; 0 for none and for numbers beyond an int.
int IntOrZero(const std::optional<qlonglong>& number);

// Index of the edited channel's row now: the row it was opened on while that row still holds the
// channel, otherwise the first row that does. Going by the position first matters once a count
// change has numbered a new row like a moved one and two rows carry the same number.
std::optional<std::size_t> FindEditedRow(const ChannelRows& rows, EditedChannel edited);

// ---- The coarse channel of a fine part ----

// The coarse-channel list offered when Part is chosen. For a channel that is already a fine
// part, only its own coarse channel, already chosen; otherwise every other named channel that
// is neither a fine part nor already owns one ("16bit"), in row order.
struct CoarseChoices {
    QStringList items;
    int selected = -1;
    int partCoarseChannel = 0; // the coarse channel a fine part names, else 0
};

CoarseChoices CoarseChannelChoices(const ChannelRows& rows, EditedChannel edited);

// The channel number at the start of a coarse-channel item ("7 - Pan" gives 7).
std::optional<int> CoarseChannelOfItem(const QString& item);

// ---- Rules that fill in other fields ----

// Choosing an attribute type: presets the channel type and key while they have no choice and
// sets the wheel, unless the channel as stored is a fine part (key or wheel "-"). Only the list
// positions change; the window sets each list in turn, which runs that list's own rule (a key
// brings its level presets, KeyLevelPreset).
void ApplyAttributeTypeDefaults(ChannelFields& fields, const ChannelRow& storedRow);

// ---- Checks before OK ----

// The fill-in check: true when every field the channel type needs is filled. The window then
// runs ChongFuJianCha and enables OK when that finds nothing; the check never disables OK.
bool TianXieJianCha(const ChannelFields& fields);

inline const QString DuplicateFinePartMessage =
    QStringLiteral("16bit的低8位通道被重复设置，请修改...");

// How many rows other than the edited channel's are already the fine part of coarseChannel.
// For each, the window shows DuplicateFinePartMessage; then it clears the coarse-channel choice,
// focuses it and disables OK. 0: the choice stands.
int ChongFuJianCha(const ChannelRows& rows, EditedChannel edited, int coarseChannel);

inline const QString CancelQuestion = QStringLiteral("确定取消所做的修改？");

// ---- OK and delete ----

enum class DialogField {
    Name,
    ChannelType,
    AttributeKey,
    ControlWheel,
    Curve,
    OutputPercent,
    AttributeType,
    LocateLevel,
    HighLevel,
    LowLevel,
    CoarseChannel,
};

struct AcceptOutcome {
    enum class Result {
        Written,     // the row is written; the dialog closes
        Refused,     // a field is missing; the dialog stays open
        ChannelGone, // no row carries the edited channel any more; nothing was touched
    };
    Result result = Result::Written;
    // Fine parts released on the way, shown first and in this order. They stay released also
    // when the OK is then refused.
    QStringList announcements;
    QString refusal; // when Refused: the message, after which the focus goes to refusalFocus
    DialogField refusalFocus = DialogField::Name;
};

// The OK of the dialog opened on the edited channel, with the dialog's oldCoarseChannel. Other
// windows may have changed the table while the dialog stood open, so a fine part is attached
// only to a coarse channel that still exists, is named, is no fine part itself and has no other
// fine part; and a coarse channel falls back to 8 bit only when no fine part is left to it.
AcceptOutcome AcceptChannel(ChannelRows& rows, EditedChannel edited, int oldCoarseChannel,
                            const ChannelFields& fields);

// ---- Keeping 16-bit pairs whole ----

// Changing the 16-bit channel `channel`, named `name` until now, empties each of its fine parts
// but the spared rows and returns the message for each, in row order.
QStringList ReleaseFinePartsOnChange(ChannelRows& rows, int channel, const QString& name,
                                     const std::set<std::size_t>& spared = {});

// The fine part in row `leaving` (when it still stands among the rows) no longer belongs to
// coarseChannel: the coarse channel falls back to 8 bit unless another fine part is left to it.
void FallBackUnlessPaired(ChannelRows& rows, qlonglong coarseChannel,
                          std::optional<std::size_t> leaving);

QString DeleteQuestion(int editChannel);

struct DeleteOutcome {
    bool found = false;        // false: the channel is gone and nothing was touched
    QStringList announcements; // fine parts deleted along with the channel, in order
};

// Delete after the user confirmed DeleteQuestion: the channel keeps only its number, a fine
// part's coarse channel falls back to 8 bit (unless another fine part is left to it) and a
// coarse channel's fine part is emptied too.
DeleteOutcome DeleteChannel(ChannelRows& rows, EditedChannel edited);

// A lower channel count drops the rows beyond it, each channel by the rules of delete: the rows
// kept never hold half of a 16-bit pair. A dropped coarse channel empties its fine parts among
// the kept rows (announced in the words of delete, in order); a dropped fine part sends its
// kept coarse channel back to 8 bit. Nothing happens while the rows fit the count.
QStringList DropRowsBeyondCount(ChannelRows& rows, std::size_t count);

} // namespace channels
