#pragma once

#include "channels/ChannelRow.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <Qt>
#include <array>
#include <optional>

namespace channels {

// The fixed lists of the channel settings dialog and the layout of the channel grid. List
// positions are the indexes that every other piece of the program uses to name an item, so the
// order of each table is part of its meaning. Position -1 stands for "no choice".

// ---- Channel grid layout ----

struct ChannelGridColumn {
    QStringView header;
    int widthTwips;
    Qt::Alignment cellAlignment; // header cells are always centred
};

inline constexpr Qt::Alignment GridCentre = Qt::AlignHCenter | Qt::AlignVCenter;
inline constexpr Qt::Alignment GridLeft = Qt::AlignLeft | Qt::AlignVCenter;

inline constexpr std::array<ChannelGridColumn, ChannelColumnCount> ChannelGridColumns{{
    {u"CH.", 450, GridCentre},
    {u"通道名称", 1400, GridLeft},
    {u"属性键", 650, GridCentre},
    {u"控制轮", 650, GridLeft},
    {u"通道类型", 850, GridLeft},
    {u"输出%", 650, GridCentre},
    {u"曲线", 450, GridCentre},
    {u"反向", 450, GridCentre},
    {u"属性名称", 1400, GridLeft},
    {u"灯定位", 650, GridCentre},
    {u"高亮度", 650, GridCentre},
    {u"低亮度", 650, GridCentre},
    {u"Ch.Type", 850, GridCentre},
    {u"属性类型", 850, GridCentre},
}};

inline constexpr int ChannelGridRowHeightTwips = 280;

// ---- Channel types ----

struct ChannelTypeItem {
    QStringView itemText;
    QStringView word;   // goes to ChannelTypeName
    QStringView letter; // goes to ChannelTypeLetter
};

inline constexpr std::array<ChannelTypeItem, 6> ChannelTypeTable{{
    {u"H - HTP", u"HTP", u"H"},
    {u"L - LTP 渐变", u"LTP", u"L"},
    {u"I - Instant 瞬变", u"Instant", u"I"},
    {u"S - 16bit 瞬变", u"16bit NF", u"S"},
    {u"s - 16bit 渐变", u"16bit", u"s"},
    // A fine part's letter really follows its coarse channel ("H" under a dimmer).
    {u"Part - 16bit的微调通道", u"Part", u"L"},
}};

inline constexpr int HtpTypeIndex = 0;
inline constexpr int LtpTypeIndex = 1;
inline constexpr int InstantTypeIndex = 2;
inline constexpr int PartTypeIndex = 5;

// The words that carry the 16-bit pairing in the grid.
inline constexpr QStringView CoarseWithFinePartWord = u"16bit";
inline constexpr QStringView FinePartWord = u"Part";
// Key and wheel cell of a fine part.
inline constexpr QStringView FinePartMark = u"-";

// ---- Attribute keys ----

// clang-format off
inline constexpr std::array<QStringView, 20> AttributeKeyTable{{
    u"01 - Dimmer", u"02 - Iris/Shutter", u"03 - Tilt/Pan", u"04 - Color", u"05 - Zoom/Focus",
    u"06 - Gobo", u"07 - Gobo/Function", u"08 - Speed", u"09 - Effect/Yellow",
    u"10 - Cyan/Magenta", u"11", u"12", u"13", u"14", u"15", u"16", u"17", u"18", u"19", u"20",
}};
// clang-format on

// ---- Control wheels ----

struct ControlWheelItem {
    QStringView itemText;
    QStringView word; // goes to ControlWheel
};

inline constexpr std::array<ControlWheelItem, 2> ControlWheelTable{{
    {u"左", u"Left"},
    {u"右", u"Right"},
}};

inline constexpr int LeftWheelIndex = 0;
inline constexpr int RightWheelIndex = 1;

// ---- Attribute types ----

struct AttributeTypeItem {
    QStringView letter;   // goes to AttributeTypeLetter
    QStringView name;     // goes to AttributeName
    QStringView itemText; // letter, " - ", name
};

inline constexpr std::array<AttributeTypeItem, 23> AttributeTypeTable{{
    {u"0", u"Uncategorized", u"0 - Uncategorized"},
    {u"A", u"Color Wheel 1", u"A - Color Wheel 1"},
    {u"B", u"Cyan", u"B - Cyan"},
    {u"C", u"Magenta", u"C - Magenta"},
    {u"D", u"Yellow", u"D - Yellow"},
    {u"E", u"Pan", u"E - Pan"},
    {u"F", u"Tilt", u"F - Tilt"},
    {u"G", u"Iris", u"G - Iris"},
    {u"H", u"Dimmer", u"H - Dimmer"},
    {u"I", u"Gobo1", u"I - Gobo1"},
    {u"J", u"Gobo2", u"J - Gobo2"},
    {u"K", u"Gobo1_Rotate", u"K - Gobo1_Rotate"},
    {u"L", u"Focus", u"L - Focus"},
    {u"M", u"Gobo2_Rotate", u"M - Gobo2_Rotate"},
    {u"N", u"Color Wheel 2", u"N - Color Wheel 2"},
    {u"O", u"Shutter", u"O - Shutter"},
    {u"P", u"Prism", u"P - Prism"},
    {u"Q", u"Zoom", u"Q - Zoom"},
    {u"R", u"Effect_Rotate", u"R - Effect_Rotate"},
    {u"S", u"Frost", u"S - Frost"},
    {u"T", u"Red", u"T - Red"},
    {u"U", u"Green", u"U - Green"},
    {u"V", u"Blue", u"V - Blue"},
}};

// Compile-time positions for the tables below: attribute key "01" to "20" and attribute type
// letter "0" or "A" to "V".
constexpr int KeyPosition(int key) {
    return key - 1;
}
constexpr int TypePosition(char16_t letter) {
    return letter == u'0' ? 0 : letter - u'A' + 1;
}

static_assert([] {
    for (int i = 0; i < static_cast<int>(AttributeTypeTable.size()); ++i) {
        if (TypePosition(AttributeTypeTable[i].letter.front().unicode()) != i) {
            return false;
        }
    }
    return true;
}());

// ---- Defaults that come with an attribute type or key ----

struct AttributeTypeDefault {
    QStringView letter;
    int channelType;  // set only while the type list has no choice; -1 leaves it
    int attributeKey; // set only while the key list has no choice; -1 leaves it
    int controlWheel; // -1 leaves it
    bool wheelOnlyWhenUnset;
};

// clang-format off
inline constexpr std::array<AttributeTypeDefault, 23> AttributeTypeDefaults{{
    {u"0", -1,               -1,              -1,              false},
    // Colour wheel 1 presets like its neighbour colour wheel 2, the standard name "Color W.1"
    // and the quick setup do, so the three ways to set one up agree.
    {u"A", InstantTypeIndex, KeyPosition(4),  LeftWheelIndex,  false},
    {u"B", LtpTypeIndex,     KeyPosition(10), LeftWheelIndex,  false},
    {u"C", LtpTypeIndex,     KeyPosition(10), RightWheelIndex, false},
    {u"D", LtpTypeIndex,     KeyPosition(9),  RightWheelIndex, false},
    {u"E", LtpTypeIndex,     KeyPosition(3),  RightWheelIndex, false},
    {u"F", LtpTypeIndex,     KeyPosition(3),  LeftWheelIndex,  false},
    {u"G", LtpTypeIndex,     KeyPosition(2),  LeftWheelIndex,  false},
    {u"H", HtpTypeIndex,     KeyPosition(1),  LeftWheelIndex,  true},
    {u"I", LtpTypeIndex,     KeyPosition(6),  LeftWheelIndex,  false},
    {u"J", InstantTypeIndex, KeyPosition(6),  RightWheelIndex, false},
    {u"K", InstantTypeIndex, KeyPosition(7),  LeftWheelIndex,  false},
    {u"L", LtpTypeIndex,     KeyPosition(5),  RightWheelIndex, false},
    {u"M", InstantTypeIndex, KeyPosition(7),  RightWheelIndex, false},
    {u"N", InstantTypeIndex, KeyPosition(4),  RightWheelIndex, false},
    {u"O", LtpTypeIndex,     KeyPosition(2),  RightWheelIndex, false},
    {u"P", LtpTypeIndex,     KeyPosition(9),  LeftWheelIndex,  false},
    {u"Q", LtpTypeIndex,     KeyPosition(5),  LeftWheelIndex,  false},
    {u"R", LtpTypeIndex,     KeyPosition(8),  RightWheelIndex, false},
    {u"S", LtpTypeIndex,     KeyPosition(19), LeftWheelIndex,  false},
    {u"T", LtpTypeIndex,     KeyPosition(10), LeftWheelIndex,  false},
    {u"U", LtpTypeIndex,     KeyPosition(10), RightWheelIndex, false},
    {u"V", LtpTypeIndex,     KeyPosition(9),  RightWheelIndex, false},
}};
// clang-format on

struct LevelTexts {
    QStringView locate;
    QStringView high;
    QStringView low;
};

// ---- Standard channel names of the name picker ----

struct StandardChannelName {
    QStringView listItem;
    QStringView name;
    int channelType;
    // The remaining fields are -1 / empty for the fine parts, which set only their type.
    int attributeKey;
    int attributeType;
    int controlWheel;
    LevelTexts levels;
};

// clang-format off
inline constexpr std::array<StandardChannelName, 28> StandardChannelNameTable{{
    {u" Dimmer - 调光",           u"Dimmer",      HtpTypeIndex,     KeyPosition(1),  TypePosition(u'H'), LeftWheelIndex,  {u"255", u"255", u"0"}},
    {u" Iris - 光圈",             u"Iris",        LtpTypeIndex,     KeyPosition(2),  TypePosition(u'G'), LeftWheelIndex,  {u"255", u"-1", u"-1"}},
    {u" Shutter - 频闪",          u"Shutter",     LtpTypeIndex,     KeyPosition(2),  TypePosition(u'O'), RightWheelIndex, {u"0", u"-1", u"-1"}},
    {u" Zoom - 变焦",             u"Zoom",        LtpTypeIndex,     KeyPosition(5),  TypePosition(u'Q'), LeftWheelIndex,  {u"128", u"-1", u"-1"}},
    {u" Focus - 聚焦",            u"Focus",       LtpTypeIndex,     KeyPosition(5),  TypePosition(u'L'), RightWheelIndex, {u"128", u"-1", u"-1"}},
    {u" Prism - 棱镜",            u"Prism",       LtpTypeIndex,     KeyPosition(9),  TypePosition(u'P'), LeftWheelIndex,  {u"0", u"-1", u"-1"}},
    {u" Frost - 霜冻",            u"Frost",       LtpTypeIndex,     KeyPosition(19), TypePosition(u'S'), LeftWheelIndex,  {u"0", u"-1", u"-1"}},
    {u" Gobo 1 - 图案1",          u"Gobo 1",      InstantTypeIndex, KeyPosition(6),  TypePosition(u'I'), LeftWheelIndex,  {u"0", u"-1", u"-1"}},
    {u" Gobo 1 Rot. - 图案1旋转", u"Gobo 1 Rot.", LtpTypeIndex,     KeyPosition(7),  TypePosition(u'K'), LeftWheelIndex,  {u"0", u"-1", u"-1"}},
    {u" Color W.1 - 颜色轮1",     u"Color W.1",   InstantTypeIndex, KeyPosition(4),  TypePosition(u'A'), LeftWheelIndex,  {u"0", u"-1", u"-1"}},
    {u" Gobo 2 - 图案2",          u"Gobo 2",      InstantTypeIndex, KeyPosition(6),  TypePosition(u'J'), RightWheelIndex, {u"0", u"-1", u"-1"}},
    {u" Gobo 2 Rot. - 图案2旋转", u"Gobo 2 Rot.", LtpTypeIndex,     KeyPosition(7),  TypePosition(u'M'), RightWheelIndex, {u"0", u"-1", u"-1"}},
    {u" Color W.2 - 颜色轮2",     u"Color W.2",   InstantTypeIndex, KeyPosition(4),  TypePosition(u'N'), RightWheelIndex, {u"0", u"-1", u"-1"}},
    {u" C. Mix 1 - 颜色混合1",    u"C.Mix 1",     LtpTypeIndex,     KeyPosition(10), TypePosition(u'B'), LeftWheelIndex,  {u"-1", u"-1", u"-1"}},
    {u" C. Mix 2 - 颜色混合2",    u"C.Mix 2",     LtpTypeIndex,     KeyPosition(10), TypePosition(u'C'), RightWheelIndex, {u"-1", u"-1", u"-1"}},
    {u" C. Mix 3 - 颜色混合3",    u"C.Mix 3",     LtpTypeIndex,     KeyPosition(9),  TypePosition(u'D'), RightWheelIndex, {u"-1", u"-1", u"-1"}},
    {u" Red - 红色",              u"Red",         LtpTypeIndex,     KeyPosition(10), TypePosition(u'T'), LeftWheelIndex,  {u"-1", u"-1", u"-1"}},
    {u" Green - 绿色",            u"Green",       LtpTypeIndex,     KeyPosition(10), TypePosition(u'U'), RightWheelIndex, {u"-1", u"-1", u"-1"}},
    {u" Blue - 蓝色",             u"Blue",        LtpTypeIndex,     KeyPosition(9),  TypePosition(u'V'), RightWheelIndex, {u"-1", u"-1", u"-1"}},
    {u" Cyan - 青色",             u"Cyan",        LtpTypeIndex,     KeyPosition(10), TypePosition(u'B'), LeftWheelIndex,  {u"-1", u"-1", u"-1"}},
    {u" Magenta - 品红色",        u"Magenta",     LtpTypeIndex,     KeyPosition(10), TypePosition(u'C'), RightWheelIndex, {u"-1", u"-1", u"-1"}},
    {u" Yellow - 黄色",           u"Yellow",      LtpTypeIndex,     KeyPosition(9),  TypePosition(u'D'), RightWheelIndex, {u"-1", u"-1", u"-1"}},
    {u" Pan - X",                 u"Pan",         LtpTypeIndex,     KeyPosition(3),  TypePosition(u'E'), RightWheelIndex, {u"128", u"-1", u"-1"}},
    {u" Pan fine - X微调",        u"Pan fine",    PartTypeIndex,    -1,              -1,                 -1,              {}},
    {u" Tilt - Y",                u"Tilt",        LtpTypeIndex,     KeyPosition(3),  TypePosition(u'F'), LeftWheelIndex,  {u"128", u"-1", u"-1"}},
    {u" Tilt fine - Y微调",       u"Tilt fine",   PartTypeIndex,    -1,              -1,                 -1,              {}},
    {u" Speed 1 - 速度1",         u"Speed 1",     LtpTypeIndex,     KeyPosition(8),  TypePosition(u'0'), LeftWheelIndex,  {u"0", u"-1", u"-1"}},
    {u" Speed 2 - 速度2",         u"Speed 2",     LtpTypeIndex,     KeyPosition(8),  TypePosition(u'0'), RightWheelIndex, {u"0", u"-1", u"-1"}},
}};
// clang-format on

// ---- Lookups ----

// The texts of a table's items in order, for filling a list: ItemTexts(ChannelTypeTable,
// &ChannelTypeItem::itemText).
template <typename Table, typename Item>
QStringList ItemTexts(const Table& table, QStringView Item::*text) {
    QStringList texts;
    for (const Item& item : table) {
        texts << (item.*text).toString();
    }
    return texts;
}

template <typename Table> QStringList ItemTexts(const Table& table) {
    QStringList texts;
    for (const QStringView item : table) {
        texts << item.toString();
    }
    return texts;
}

// True when index names an item of a list with size items.
template <typename Table> bool IsChoiceOf(const Table& table, int index) {
    return index >= 0 && index < static_cast<int>(table.size());
}

// The key cell text of an attribute key item: its first two characters ("01" to "20").
QString AttributeKeyOf(int keyIndex);

// Type list position for a stored row: -1 while the row has no key, Part when key and wheel
// are "-" (or "0"), otherwise by the type letter, unknown letters counting as HTP.
int ChannelTypeIndexOf(const ChannelRow& row);

// Key list position for a stored key text: the key's value minus 1; -1 for "-", "0", texts that
// are not a whole number and keys beyond the list.
int AttributeKeyIndexOf(const QString& key);

// Wheel list position for a stored wheel word; -1 for anything but "Left" and "Right".
int ControlWheelIndexOf(const QString& wheel);

// Attribute type list position of the first item whose letter is exactly the given text; -1 when
// none is (upper and lower case differ).
int AttributeTypeIndexOf(const QString& letter);

// The defaults row of an attribute type letter, if the letter has one.
const AttributeTypeDefault* AttributeTypeDefaultOf(QStringView letter);

// The locate, high and low levels that come with an attribute key, for the three keys that
// have them.
std::optional<LevelTexts> KeyLevelPreset(int keyIndex);

} // namespace channels
