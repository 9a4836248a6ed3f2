#include "palettes/ValuePanel.h"

#include <algorithm>

namespace palettes {

namespace {

struct LetterBox {
    QStringView letter;
    ValuePanelMode mode;
    ValueBox box;
    QStringView attribute; // as the box's label names it
};

constexpr std::array<LetterBox, 8> LetterBoxes{{
    {u"T", ValuePanelMode::Rgb, ValueBox::Text3, u"Red"},
    {u"U", ValuePanelMode::Rgb, ValueBox::Text4, u"Green"},
    {u"V", ValuePanelMode::Rgb, ValueBox::Text5, u"Blue"},
    {u"B", ValuePanelMode::Cmy, ValueBox::Text3, u"Cyan"},
    {u"C", ValuePanelMode::Cmy, ValueBox::Text4, u"Magenta"},
    {u"D", ValuePanelMode::Cmy, ValueBox::Text5, u"Yellow"},
    {u"E", ValuePanelMode::PanTilt, ValueBox::Text4, u"Pan"},
    {u"F", ValuePanelMode::PanTilt, ValueBox::Text5, u"Tilt"},
}};

// Each letter belongs to one panel at most.
const LetterBox* LetterBoxOf(const QString& letter) {
    for (const LetterBox& entry : LetterBoxes) {
        if (letter == entry.letter) {
            return &entry;
        }
    }
    return nullptr;
}

const LetterBox* LetterBoxOf(ValuePanelMode mode, const QString& letter) {
    const LetterBox* entry = LetterBoxOf(letter);
    return entry != nullptr && entry->mode == mode ? entry : nullptr;
}

// The group holds every letter the panel shows.
bool GroupHoldsPanel(ValuePanelMode mode, const QStringList& letters) {
    return std::all_of(LetterBoxes.begin(), LetterBoxes.end(), [&](const LetterBox& entry) {
        return entry.mode != mode || letters.contains(entry.letter);
    });
}

} // namespace

QStringList LettersOf(const GroupChannels& channels) {
    QStringList letters;
    for (const GroupChannel& channel : channels) {
        letters << channel.letter;
    }
    return letters;
}

ValuePanelMode ChooseValuePanel(const QString& clickedLetter, const GroupChannels& channels) {
    const LetterBox* entry = LetterBoxOf(clickedLetter);
    if (entry != nullptr && GroupHoldsPanel(entry->mode, LettersOf(channels))) {
        return entry->mode;
    }
    return ValuePanelMode::Slider;
}

std::optional<ColourMix> MixOfPanel(ValuePanelMode mode) {
    switch (mode) {
    case ValuePanelMode::Rgb:
        return ColourMix::Rgb;
    case ValuePanelMode::Cmy:
        return ColourMix::Cmy;
    case ValuePanelMode::PanTilt:
    case ValuePanelMode::Slider:
        break;
    }
    return std::nullopt;
}

bool ShowsSwatchColumn(const GroupChannels& channels) {
    const QStringList letters = LettersOf(channels);
    for (const QString& letter : letters) {
        const LetterBox* entry = LetterBoxOf(letter);
        if (entry != nullptr && entry->mode != ValuePanelMode::PanTilt) {
            return GroupHoldsPanel(entry->mode, letters);
        }
    }
    return false;
}

std::optional<ValueBox> BoxOfLetter(ValuePanelMode mode, const QString& letter) {
    const LetterBox* entry = LetterBoxOf(mode, letter);
    return entry != nullptr ? std::optional(entry->box) : std::nullopt;
}

std::vector<ValueBox> BoxesOfPanel(ValuePanelMode mode) {
    if (mode == ValuePanelMode::Slider) {
        return {ValueBox::Text2};
    }
    std::vector<ValueBox> boxes;
    for (const LetterBox& entry : LetterBoxes) {
        if (entry.mode == mode) {
            boxes.push_back(entry.box);
        }
    }
    return boxes;
}

std::array<std::optional<QString>, 3> BoxCaptions(ValuePanelMode mode,
                                                  const GroupChannels& channels) {
    std::array<std::optional<QString>, 3> captions;
    for (const GroupChannel& channel : channels) {
        if (const LetterBox* entry = LetterBoxOf(mode, channel.letter)) {
            captions[IndexOf(entry->box) - IndexOf(ValueBox::Text3)] =
                QStringLiteral(" Ch") + channel.number + QStringLiteral(" -") +
                entry->attribute.toString() + QLatin1Char(':');
        }
    }
    return captions;
}

PanelLoad PanelLoadForEntry(ValuePanelMode mode, const GroupChannels& channels,
                            const QStringList& values, int clickedChannel) {
    PanelLoad load;
    if (mode == ValuePanelMode::Slider) {
        load[IndexOf(ValueBox::Text2)] = values.value(clickedChannel);
        return load;
    }
    for (std::size_t k = 0; k < channels.size(); ++k) {
        if (const auto box = BoxOfLetter(mode, channels[k].letter)) {
            load[IndexOf(*box)] = values.value(static_cast<qsizetype>(k));
        }
    }
    return load;
}

PanelLoad PanelLoadForNewEntry(ValuePanelMode mode) {
    const QString zero = QStringLiteral("0");
    const QString centre = QStringLiteral("128");
    switch (mode) {
    case ValuePanelMode::PanTilt:
        return {zero, std::nullopt, centre, centre};
    case ValuePanelMode::Cmy:
    case ValuePanelMode::Rgb:
        return {std::nullopt, zero, zero, zero};
    case ValuePanelMode::Slider:
        break;
    }
    return {zero, std::nullopt, std::nullopt, std::nullopt};
}

CellChoice ChooseCell(int row, int column, int channelCount, int entryCount) {
    CellChoice choice{};
    choice.row = std::max(row, 1);
    const int lastChannelColumn = FirstChannelColumn - 1 + channelCount;
    choice.column = std::max(std::min(column, lastChannelColumn), FirstChannelColumn);
    choice.enablesDelete = choice.row <= entryCount;
    choice.row = std::min(choice.row, entryCount + 1);
    choice.addsEntry = choice.row > entryCount;
    return choice;
}

} // namespace palettes
