#include "quicksetup/Form2_1.h"

#include "basicinfo/Form1.h"
#include "channels/Form2.h"
#include "common/Banner.h"
#include "common/Colors.h"
#include "common/Hover.h"
#include "common/Module1.h"
#include "common/Public.h"
#include "platform/Desktop.h"
#include "platform/Layout.h"

#include <QByteArray>

namespace quicksetup {

using common::Public;
using platform::TextBox;

namespace {

constexpr int ClientWidth = 7400;

// The ten rows of boxes fall into six groups, with a wider gap between groups.
constexpr std::array<int, 10> RowTops{2400, 2790, 3180, 3720, 4110, 4650, 5190, 5730, 6120, 6660};
constexpr std::array<int, 3> LabelLefts{360, 2640, 4920};
constexpr int LabelWidth = 1320;
constexpr int BoxGap = 60;
constexpr int BoxWidth = 720;

struct Place {
    int row;    // 1 to 10
    int column; // 0 to 2: A, B, C
};

// Where each attribute's label and box stand, in box order.
constexpr std::array<Place, StandardAttributeCount> Places{{
    {1, 0},  {1, 1},  {1, 2},         // Dimmer, Iris, Shutter
    {2, 0},  {2, 1},  {2, 2},         // Zoom, Focus, Prism
    {3, 0},                           // Frost
    {4, 0},  {4, 1},  {5, 0}, {5, 1}, // the gobos and their rotations
    {6, 0},  {6, 1},                  // the colour wheels
    {7, 0},  {7, 1},  {7, 2},         // the colour mixes
    {8, 0},  {8, 1},  {9, 0}, {9, 1}, // pan and tilt with their fine channels
    {10, 0}, {10, 1},                 // the speeds
}};

ColorMixMode currentColorMixMode() {
    return platform::window<basicinfo::Form1>().fixtureInfo().colorMixMode;
}

} // namespace

Form2_1::Form2_1() : Form(QString::fromLatin1(Name)) {
    startUpPosition = platform::StartUpPosition::CenterOwner;
    setClientSize(ClientWidth, 8100);
    setAutoFillBackground(true);
    const common::Banner banner =
        common::addBanner(*this, ClientWidth, "Label23", "Label26", "Picture1");
    Label23 = banner.band;
    Label26 = banner.link;

    const QColor rest = common::colors::ButtonRest;
    // The table's order is the tab order: Text1 to Text22, OK, Cancel, the language options.
    // clang-format off
    platform::layOut(*this, {
        {Label25,    "Label25",      {360, 1020, 3000, 420},  {.caption = "快速通道设置", .fontGrow = 4}},
        {Label24,    "Label24",      {3720, 1080, 3320, 300}, {.caption = "正在编辑：", .align = platform::Alignment::Right}},
    });
    layOutBoxes();
    platform::layOut(*this, {
        {Line1,      "Line1",        {360, 7200, 7040, 7200}},
        {Command1,   "Command1",     {4200, 7440, 1320, 450}, {.caption = "确定", .back = rest}},
        {Command2,   "Command2",     {5700, 7440, 1320, 450}, {.caption = "取消", .back = rest}},
        {Frame1,     "Frame1",       {360, 1500, 2760, 780},  {.caption = "通道文字"}},
        {Option1[0], {"Option1", 0}, {240, 330, 1000, 300},   {.in = "Frame1", .caption = "英文", .value = true}},
        {Option1[1], {"Option1", 1}, {1440, 330, 1000, 300},  {.in = "Frame1", .caption = "中文"}},
    });
    // clang-format on
    wireRules();
}

// Each label stands right-aligned at the left of its box; the boxes show their text centred
// and take any length.
void Form2_1::layOutBoxes() {
    for (std::size_t i = 0; i < StandardAttributeCount; ++i) {
        const int top = RowTops[static_cast<std::size_t>(Places[i].row - 1)];
        const int left = LabelLefts[static_cast<std::size_t>(Places[i].column)];
        const QByteArray number = QByteArray::number(static_cast<int>(i) + 1);
        const QByteArray label = "Label" + number;
        const QByteArray text = "Text" + number;
        platform::layOut(*this, {{Labels[i],
                                  label.constData(),
                                  {left, top, LabelWidth, 300},
                                  {.align = platform::Alignment::Right}},
                                 {Boxes[i],
                                  text.constData(),
                                  {left + LabelWidth + BoxGap, top - 30, BoxWidth, 330},
                                  {.align = platform::Alignment::Center}}});
    }
}

void Form2_1::wireRules() {
    for (std::size_t i = 0; i < StandardAttributeCount; ++i) {
        const StandardAttribute attribute = AttributeAt(i);
        TextBox* textBox = Boxes[i];
        textBox->KeyPress = [this](int& KeyAscii) { Box_KeyPress(KeyAscii); };
        textBox->Change = [this, attribute] { Box_Change(attribute); };
        if (attribute != StandardAttribute::PanFine && attribute != StandardAttribute::TiltFine) {
            textBox->Validate = [this, attribute](bool& cancel) {
                Box_Validate(attribute, cancel);
            };
        }
    }
    box(StandardAttribute::PanFine)->GotFocus = [this] { Text19_GotFocus(); };
    box(StandardAttribute::TiltFine)->GotFocus = [this] { Text20_GotFocus(); };
    for (int i = 0; i < 2; ++i) {
        Option1[i]->Click = [this, i] { Option1_Click(i); };
    }
    common::lightUnderPointer(Option1);
    common::lightUnderPointer(Boxes);
    Frame1->MouseMove = [this](int, int, float, float) { Frame1_MouseMove(); };
    Command1->Click = [this] { Command1_Click(); };
    Command2->Click = [this] { Command2_Click(); };
    common::lightUnderPointer({Command1, Command2});
}

void Form2_1::Form_Load() {
    setCaption(Public().WindowTitle);
    LowChannels = FinePartChannels(platform::window<channels::Form2>().rowsFromGrid());
    RangePrompt = quicksetup::RangePrompt(Public().ChannelCount);
    for (TextBox* textBox : Boxes) {
        textBox->setToolTipText(RangePrompt);
    }
    // The language options stand at English, yet a fresh dialog shows captions of its own.
    showCaptions(CaptionSet::OnOpening);
}

void Form2_1::Form_Activate() {
    Label24->setCaption(QStringLiteral("正在编辑：") + Public().EditingFileLabel);
}

// Cancel, OK and the close box alike give the channel page back.
void Form2_1::Form_Unload(bool&) {
    platform::window<channels::Form2>().comeBackFromDialog();
}

void Form2_1::showCaptions(CaptionSet set) {
    const ColorMixMode mode = currentColorMixMode();
    for (std::size_t i = 0; i < StandardAttributeCount; ++i) {
        Labels[i]->setCaption(LabelCaption(AttributeAt(i), set, mode));
    }
}

BoxTexts Form2_1::boxTexts() const {
    BoxTexts texts;
    for (std::size_t i = 0; i < StandardAttributeCount; ++i) {
        texts[i] = Boxes[i]->Text();
    }
    return texts;
}

void Form2_1::focusColorMix1() {
    box(StandardAttribute::ColorMix1)->SetFocus();
}

void Form2_1::Box_KeyPress(int& KeyAscii) {
    common::DigitKeysOnly(KeyAscii);
}

void Form2_1::Box_Change(StandardAttribute attribute) {
    TextBox* textBox = box(attribute);
    switch (CheckChannelBoxRange(textBox->Text(), Public().ChannelCount)) {
    case BoxChange::Nothing:
        break;
    case BoxChange::Emptied:
        textBox->setText(QString());
        break;
    case BoxChange::OutOfRange:
        // The range of the count now: the count may have changed since the dialog loaded.
        platform::msgBox(quicksetup::RangePrompt(Public().ChannelCount));
        textBox->selectWhole();
        textBox->SetFocus();
        break;
    case BoxChange::Accepted:
        Public().DataChanged = true;
        break;
    }
}

// The refused box keeps the focus, so a click that left it does not act as well: OK would
// otherwise write right after the box was emptied.
void Form2_1::Box_Validate(StandardAttribute attribute, bool& cancel) {
    TextBox* textBox = box(attribute);
    if (const std::optional<QString> refusal =
            CheckChannelBoxNotFine(attribute, textBox->Text(), LowChannels)) {
        platform::msgBox(*refusal);
        textBox->setText(QString());
        textBox->SetFocus();
        cancel = true;
    }
}

void Form2_1::requireCoarseFirst(StandardAttribute fineBox) {
    if (const std::optional<Refusal> refusal = RequireCoarseFirst(fineBox, boxTexts())) {
        platform::msgBox(refusal->message);
        box(*refusal->focus)->SetFocus();
    }
}

void Form2_1::Text19_GotFocus() {
    requireCoarseFirst(StandardAttribute::PanFine);
}

void Form2_1::Text20_GotFocus() {
    requireCoarseFirst(StandardAttribute::TiltFine);
}

void Form2_1::Option1_Click(int) {
    showCaptions(Option1[0]->Value() ? CaptionSet::English : CaptionSet::Chinese);
}

void Form2_1::Command1_Click() {
    channels::Form2& page = platform::window<channels::Form2>();
    channels::ChannelRows rows = page.rowsFromGrid();
    const BoxTexts texts = boxTexts();
    const int count = Public().ChannelCount;
    if (const std::optional<Refusal> refusal =
            CheckQuickSetup(texts, rows, count, quicksetup::RangePrompt(count))) {
        platform::msgBox(refusal->message);
        if (refusal->focus) {
            TextBox* refused = box(*refusal->focus);
            refused->SetFocus();
            refused->selectWhole();
        }
        return;
    }
    const QStringList announcements = ApplyQuickSetup(rows, texts, currentColorMixMode());
    for (const QString& announcement : announcements) {
        platform::msgBox(announcement);
    }
    page.writeRowsToGrid(rows);
    platform::unload(*this);
}

void Form2_1::Command2_Click() {
    platform::unload(*this);
}

void Form2_1::Frame1_MouseMove() {
    common::putToRest(Option1);
}

void Form2_1::Form_MouseMove(int, int, float, float) {
    common::putToRest({Command1, Command2});
    Label26->setForeColor(common::colors::LinkRest);
    common::putToRest(Boxes);
    Frame1_MouseMove();
}

} // namespace quicksetup
