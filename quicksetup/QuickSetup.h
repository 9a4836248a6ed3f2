#pragma once

#include "basicinfo/FixtureInfo.h"
#include "channels/ChannelRow.h"
#include "quicksetup/StandardAttributes.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

// The quick setup's rules without the dialog: the window hands over the texts of its 22 boxes
// and shows what these functions return.
namespace quicksetup {

using basicinfo::ColorMixMode;
using channels::ChannelRows;

// The texts of the boxes Text1 to Text22, at BoxIndex of their attribute.
using BoxTexts = std::array<QString, StandardAttributeCount>;

// The allowed channel range as a sentence: every box's tooltip and its range message.
QString RangePrompt(int channelCount);

// A label's caption; the colour mixes name the colours of the mode.
QString LabelCaption(StandardAttribute attribute, CaptionSet set, ColorMixMode mode);

// ---- The boxes ----

// The channel number a box holds: a whole number, read wide so that no text overflows; nullopt
// for anything that is not one.
std::optional<qlonglong> BoxChannel(const QString& text);

enum class BoxChange {
    Nothing,    // empty: no message, DataChanged untouched
    Emptied,    // a leading "0": the box is emptied without a message
    OutOfRange, // RangePrompt; the whole text selected, the focus on the box
    Accepted,   // a channel from 1 to the count: DataChanged is set
};

// The rule a box applies on every change of its text.
BoxChange CheckChannelBoxRange(const QString& text, int channelCount);

// The channels that are 16-bit fine parts when the dialog loads, in row order.
std::vector<qlonglong> FinePartChannels(const ChannelRows& rows);

bool CheckLowCh(const std::vector<qlonglong>& lowChannels, qlonglong channel);

// The rule of every box but the two fine boxes when the focus leaves it: a channel that is
// already a fine part is refused with this message; the window then empties the box and gives
// it the focus back.
std::optional<QString> CheckChannelBoxNotFine(StandardAttribute box, const QString& text,
                                              const std::vector<qlonglong>& lowChannels);

struct Refusal {
    QString message;
    // The box that gets the focus (its text selected); none for a duplicate, which moves nothing.
    std::optional<StandardAttribute> focus;
};

// A fine box needs its Pan or Tilt box filled: checked when the focus enters Pan fine or Tilt
// fine, and again at OK.
std::optional<Refusal> RequireCoarseFirst(StandardAttribute fineBox, const BoxTexts& boxes);

// ---- OK ----

// The duplicate check: the message naming the number of the first box, in box order, whose
// number stands in another box too.
std::optional<QString> ChongFuCH(const BoxTexts& boxes);

// Everything OK checks before it writes, first refusal only: a duplicate; then a box whose
// text is no channel from 1 to channelCount that a row carries (refused with rangePrompt); then
// a fine box without its Pan or Tilt.
std::optional<Refusal> CheckQuickSetup(const BoxTexts& boxes, const ChannelRows& rows,
                                       int channelCount, const QString& rangePrompt);

// Writes the default cells of every filled box into the row of its channel, the colour mixes
// by mode. 16-bit pairs stay whole as the channel settings dialog keeps them: a 16-bit channel
// that is overwritten loses every fine part this OK does not rewrite itself, and a fine part
// that is overwritten lets its coarse channel fall back. Returns the messages of the fine
// parts emptied, to be shown in order. Run it once CheckQuickSetup passed; even so a box whose
// channel no row carries writes nothing, nor a fine box without a channel in its Pan or Tilt.
QStringList ApplyQuickSetup(ChannelRows& rows, const BoxTexts& boxes, ColorMixMode mode);

} // namespace quicksetup
