#pragma once

#include <QStringView>
#include <array>
#include <cstddef>

namespace quicksetup {

// The attributes the quick setup offers, in the order of their boxes Text1 to Text22 and their
// labels Label1 to Label22.
enum class StandardAttribute {
    Dimmer,
    Iris,
    Shutter,
    Zoom,
    Focus,
    Prism,
    Frost,
    Gobo1,
    Gobo2,
    Gobo1Rot,
    Gobo2Rot,
    ColorWheel1,
    ColorWheel2,
    ColorMix1,
    ColorMix2,
    ColorMix3,
    Pan,
    Tilt,
    PanFine,
    TiltFine,
    Speed1,
    Speed2,
};

inline constexpr std::size_t StandardAttributeCount = 22;

// Position of an attribute's box among the 22: box Text(n) stands at position n - 1.
constexpr std::size_t BoxIndex(StandardAttribute attribute) {
    return static_cast<std::size_t>(attribute);
}

constexpr StandardAttribute AttributeAt(std::size_t index) {
    return static_cast<StandardAttribute>(index);
}

// The label captions of a freshly loaded dialog, or those a language option sets.
enum class CaptionSet { OnOpening, English, Chinese };

struct Captions {
    QStringView onOpening;
    QStringView english;
    QStringView chinese;
};

// The cells 1 to 13 that the quick setup writes for an attribute. Output, curve and invert are
// the same for all ("100", "1", "N"). Empty texts are filled by rule: the colour-mix names and
// letters by the mode, the fine parts' attribute names by their coarse channel. Pan and Tilt
// become 16-bit channels when their fine boxes are filled.
struct DefaultCells {
    QStringView channelName;
    QStringView attributeKey;
    QStringView controlWheel;
    QStringView channelTypeName;
    QStringView attributeName;
    QStringView locateLevel;
    QStringView highLevel;
    QStringView lowLevel;
    QStringView channelTypeLetter;
    QStringView attributeTypeLetter;
};

struct StandardAttributeEntry {
    Captions captions; // empty for the colour mixes, whose captions follow the mode
    DefaultCells defaults;
};

// The captions keep their blanks: the labels are laid out with them. Three rows pair type word
// and letter unlike the channel-type list (Gobo 1, both rotations); stored files carry that.
// clang-format off
inline constexpr std::array<StandardAttributeEntry, StandardAttributeCount> StandardAttributes{{
    {{u"Dimmer", u"Dimmer", u"调光"},
     {u"Dimmer", u"01", u"Left", u"HTP", u"Dimmer", u"255", u"255", u"0", u"H", u"H"}},
    {{u"Iris", u"Iris", u"光圈"},
     {u"Iris", u"02", u"Left", u"LTP", u"Iris", u"255", u"-1", u"-1", u"L", u"G"}},
    {{u"Shutter", u"Shutter", u"频闪"},
     {u"Shutter", u"02", u"Right", u"LTP", u"Shutter", u"0", u"-1", u"-1", u"L", u"O"}},
    {{u"Zoom", u"Zoom", u"变焦"},
     {u"Zoom", u"05", u"Left", u"LTP", u"Zoom", u"128", u"-1", u"-1", u"L", u"Q"}},
    {{u"Focus", u"Focus", u"聚焦"},
     {u"Focus", u"05", u"Right", u"LTP", u"Focus", u"128", u"-1", u"-1", u"L", u"L"}},
    {{u"Prism", u"Prism", u"棱镜"},
     {u"Prism", u"09", u"Left", u"LTP", u"Prism", u"0", u"-1", u"-1", u"L", u"P"}},
    {{u"Frost", u"Frost", u"霜冻"},
     {u"Frost", u"19", u"Left", u"LTP", u"Frost", u"0", u"-1", u"-1", u"L", u"S"}},
    {{u"Gobo 1", u"Gobo 1", u"图案1"},
     {u"Gobo 1", u"06", u"Left", u"LTP", u"Gobo 1", u"0", u"-1", u"-1", u"I", u"I"}},
    {{u" Gobo 2", u"Gobo 2", u"图案2"},
     {u"Gobo 2", u"06", u"Right", u"Instant", u"Gobo 2", u"0", u"-1", u"-1", u"I", u"J"}},
    {{u"Gobo 1 Rot.", u"Gobo 1 Rot.", u"图案1旋转"},
     {u"Gobo 1 Rot", u"07", u"Left", u"Instant", u"Gobo 1 R", u"0", u"-1", u"-1", u"L", u"K"}},
    {{u"Gobo 2 Rot.", u"Gobo 2 Rot", u"图案2旋转"},
     {u"Gobo 2 Rot", u"07", u"Right", u"Instant", u"Gobo 2 R", u"0", u"-1", u"-1", u"L", u"M"}},
    {{u"Color W.1", u"Color W.1", u"颜色轮1"},
     {u"Col.Wh.1", u"04", u"Left", u"Instant", u"Color W1", u"0", u"-1", u"-1", u"I", u"A"}},
    {{u"Color W.2", u"Color W.2", u"颜色轮2"},
     {u"Col.Wh.2", u"04", u"Right", u"Instant", u"Color W2", u"0", u"-1", u"-1", u"I", u"N"}},
    {{}, {u"", u"10", u"Left", u"LTP", u"", u"0", u"-1", u"-1", u"L", u""}},
    {{}, {u"", u"10", u"Right", u"LTP", u"", u"0", u"-1", u"-1", u"L", u""}},
    {{}, {u"", u"09", u"Right", u"LTP", u"", u"0", u"-1", u"-1", u"L", u""}},
    {{u"Pan", u"Pan ", u"X"},
     {u"Pan", u"03", u"Right", u"LTP", u"Pan", u"128", u"-1", u"-1", u"L", u"E"}},
    {{u"Tilt", u"Tilt ", u"Y"},
     {u"Tilt", u"03", u"Left", u"LTP", u"Tilt", u"128", u"-1", u"-1", u"L", u"F"}},
    {{u"Pan fine", u"Pan fine ", u"X微调"},
     {u"Pan fine", u"-", u"-", u"Part", u"", u"128", u"-1", u"-1", u"L", u"E"}},
    {{u"Tilt fine", u"Tilt fine ", u"Y微调"},
     {u"Tilt fine", u"-", u"-", u"Part", u"", u"128", u"-1", u"-1", u"L", u"F"}},
    {{u"Speed 1", u"Speed 1 ", u"速度1"},
     {u"Speed 1", u"08", u"Left", u"LTP", u"Uncategorized", u"0", u"-1", u"-1", u"L", u"0"}},
    {{u"Speed 2", u"Speed 2 ", u"速度2"},
     {u"Speed 2", u"08", u"Right", u"LTP", u"Uncategorized", u"0", u"-1", u"-1", u"L", u"0"}},
}};
// clang-format on

// What the three colour-mix attributes become in each mode, Color Mix 1 to 3.
struct ColorMixEntry {
    Captions captions;
    QStringView name; // channel name and attribute name alike
    QStringView attributeTypeLetter;
};

// In the order of the colour-mixing modes: none, RGB, CMY.
// clang-format off
inline constexpr std::array<std::array<ColorMixEntry, 3>, 3> ColorMixEntries{{
    // None: the letters of red, green and blue, as with RGB.
    {{{{u" C. Mix 1 ", u"Color Mix 1 ", u"颜色混合1"}, u"C.Mix 1", u"T"},
      {{u" C. Mix 2 ", u"Color Mix 2 ", u"颜色混合2"}, u"C.Mix 2", u"U"},
      {{u" C. Mix 3 ", u"Color Mix 3 ", u"颜色混合3"}, u"C.Mix 3", u"V"}}},
    // RGB
    {{{{u" Red", u"Red", u"红色"}, u"Red", u"T"},
      {{u" Green", u"Green", u"绿色"}, u"Green", u"U"},
      {{u" Blue", u"Blue", u"蓝色"}, u"Blue", u"V"}}},
    // CMY
    {{{{u" Cyan", u"Cyan", u"青色"}, u"Cyan", u"B"},
      {{u" Magenta", u"Magenta", u"品红色"}, u"Magenta", u"C"},
      {{u" Yellow", u"Yellow", u"黄色"}, u"Yellow", u"D"}}},
}};
// clang-format on

} // namespace quicksetup
