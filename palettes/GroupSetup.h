#pragma once

#include "channels/ChannelRow.h"
#include "palettes/ValuePanel.h"
#include "stores/TextTable.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace palettes {

using channels::ChannelRows;
using stores::TextTable;

// The group types in the order of the type dialog's options Option1(0) to Option1(2).
enum class GroupType { PanTilt, Colour, Gobo };

inline constexpr std::array<GroupType, 3> GroupTypes{GroupType::PanTilt, GroupType::Colour,
                                                     GroupType::Gobo};

// The type's word, which is also the group's name in the list and in the file.
QString TypeWord(GroupType type);

// The palette numbers a new group of the type offers: Colour 1 to 10, Gobo 11 to 20, Pan/Tilt
// 21 to 30; none for any other word.
QStringList PaletteNumbersForType(const QString& typeWord);

// The palette numbers a stored group offers, told by its first entry's number; the single item
// "-1" when that number belongs to no type.
QStringList PaletteNumbersForStoredNumber(const QString& firstEntryNumber);

// ---- Channels ----

// The channels chosen for a new group, in the order given, each from the first of the first
// channelCount rows holding that channel number.
GroupChannels ChannelsByNumber(const ChannelRows& rows, int channelCount,
                               const std::vector<qint32>& numbers);

// The channels of a stored group, named by the header row of its table (fields 2 onwards). A
// channel the table no longer holds keeps its stored number, so saving the group again does not
// lose it.
GroupChannels ChannelsOfTable(const ChannelRows& rows, int channelCount, const TextTable& table);

// ---- Messages of the group list and the new-group dialogs ----

inline const QString TypeMissingOnClickMessage = QStringLiteral("请选择素材组名称...");
inline const QString TypeMissingOnNextMessage = QStringLiteral("请选择素材组的名称...");

QString ChannelsMissingMessage(const QString& typeWord);
QString TypeExistsMessage(const QString& typeWord);
QString DeleteGroupQuestion(const QString& groupName);

} // namespace palettes
