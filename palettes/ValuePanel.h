#pragma once

#include "palettes/Colours.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace palettes {

// One channel of the group under edit, as the channel table held it when the editor opened.
// A stored channel the table no longer holds keeps its number with no name and no letter.
struct GroupChannel {
    QString number;
    QString name;
    QString letter; // the attribute-type letter
    bool operator==(const GroupChannel&) const = default;
};

using GroupChannels = std::vector<GroupChannel>;

QStringList LettersOf(const GroupChannels& channels);

// The layout of the value panel under the grid.
enum class ValuePanelMode {
    Slider,  // one value for the clicked channel
    PanTilt, // the pad
    Cmy,     // three colour boxes, cyan, magenta, yellow
    Rgb,     // three colour boxes, red, green, blue
};

// A colour or pad panel needs the group to hold every letter of its set (E and F; B, C and D;
// T, U and V) and the clicked channel to carry one of them; anything else gets the slider.
ValuePanelMode ChooseValuePanel(const QString& clickedLetter, const GroupChannels& channels);

// The colour a panel mixes: RGB and CMY panels only.
std::optional<ColourMix> MixOfPanel(ValuePanelMode mode);

// The swatch column shows when the first colour channel of the group, RGB or CMY, belongs to a
// complete set; the other set is not looked at.
bool ShowsSwatchColumn(const GroupChannels& channels);

// The value panel's boxes: Text2 beside the slider, Text3 to Text5 for colours and the pad.
enum class ValueBox { Text2, Text3, Text4, Text5 };

inline constexpr std::size_t ValueBoxCount = 4;

constexpr std::size_t IndexOf(ValueBox box) {
    return static_cast<std::size_t>(box);
}

// A text for each box, Text2 first: what the boxes hold when Add or Update is pressed.
using PanelValues = std::array<QString, ValueBoxCount>;

// The texts a grid click puts into the boxes, Text2 first; a box left nullopt keeps its text.
using PanelLoad = std::array<std::optional<QString>, ValueBoxCount>;

// The box through which a panel carries channels of a letter: RGB and CMY in Text3 to Text5,
// pan in Text4 and tilt in Text5. The slider carries only the clicked channel, in Text2, so it
// answers nothing here; neither does a panel for a letter it does not carry.
std::optional<ValueBox> BoxOfLetter(ValuePanelMode mode, const QString& letter);

// The boxes whose values a panel stores: Text2 for the slider, Text4 and Text5 for the pad, Text3
// to Text5 for a colour.
std::vector<ValueBox> BoxesOfPanel(ValuePanelMode mode);

// The captions of the labels beside Text3, Text4 and Text5 (Label9, Label10, Label11), such as
// " Ch5 -Red:". When two channels share a letter the later one names the label; a label whose
// letter the group lacks keeps its caption (nullopt).
std::array<std::optional<QString>, 3> BoxCaptions(ValuePanelMode mode,
                                                  const GroupChannels& channels);

// The boxes for an entry's values (values[k] is group channel k's); the slider shows the
// clicked channel's value.
PanelLoad PanelLoadForEntry(ValuePanelMode mode, const GroupChannels& channels,
                            const QStringList& values, int clickedChannel);

// The boxes for the row below the entries, where a new entry is made.
PanelLoad PanelLoadForNewEntry(ValuePanelMode mode);

// What a click on grid cell (row, column) selects. Grid column 3 + k shows group channel k.
struct CellChoice {
    int row;            // 1 .. entryCount + 1, the last being the new-entry row
    int column;         // 3 .. 2 + channelCount
    bool addsEntry;     // Add ("添加") rather than Update ("更新")
    bool enablesDelete; // the clicked row holds an entry; a click never disables Delete
};

CellChoice ChooseCell(int row, int column, int channelCount, int entryCount);

inline constexpr int FirstChannelColumn = 3;

} // namespace palettes
