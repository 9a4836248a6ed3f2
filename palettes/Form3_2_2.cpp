#include "palettes/Form3_2_2.h"

#include "channels/Form2.h"
#include "common/Banner.h"
#include "common/Colors.h"
#include "common/Hover.h"
#include "common/Module1.h"
#include "common/Public.h"
#include "palettes/Form3_2.h"
#include "palettes/Form3_2_1.h"
#include "palettes/GroupSetup.h"
#include "palettes/ValueRules.h"
#include "platform/Desktop.h"
#include "platform/Layout.h"

#include <QScrollBar>
#include <cmath>

namespace palettes {

using common::Public;
using platform::Alignment;
using platform::TextBox;
namespace colors = common::colors;
namespace PaletteFields = stores::PaletteFields;

namespace {

const QColor SelectedRowText{255, 0, 0};
const QColor GuideLineColor{192, 192, 255};
const QString AddCaption = QStringLiteral("添加");
const QString UpdateCaption = QStringLiteral("更新");
constexpr int GridRows = 11;
constexpr int DesignedColumns = 7;
constexpr int SwatchColumn = 2;
constexpr int RowHeight = 280; // twips, as every column width below
constexpr int NameWidth = 1800;
constexpr int NameWidthBesideSwatch = 1600;
constexpr int NumberWidth = 700;
constexpr int SwatchWidth = 600;
constexpr int ChannelWidth = 580;
constexpr int PadSize = 2550; // twips; the pad's own scale runs 0 to MaxValue across and down

QColor colourOf(const Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

} // namespace

Form3_2_2::Form3_2_2() : Form(QString::fromLatin1(Name)) {
    setClientSize(5880, PicturePanelHeight - platform::FrameHeightTwips);
    setAutoFillBackground(true);
    const common::Banner banner = common::addBanner(*this, 5880, "Label3", "Label1");
    Label3 = banner.band;
    Label1 = banner.link;
    const QColor rest = colors::ButtonRest;
    const QString range = QStringLiteral("范围：0-255");
    // clang-format off
    platform::layOut(*this, {
        {Label2,      "Label2",      {360, 1020, 3000, 360},    {.fontGrow = 2, .bold = true}},
        {Label4,      "Label4",      {360, 1440, 2700, 300},    {.caption = "素材组名称："}},
        {Label13,     "Label13",     {3120, 1440, 2400, 300},   {.caption = "正在编辑："}},
        {MSFlexGrid1, "MSFlexGrid1", {360, 1860, 5160, 3210},   {.toolTip = "点击各行，新增或编辑该素材；点击Ch列，填写素材的设定值。"}},
        {Command2,    "Command2",    {4200, 5280, 1320, 450},   {.caption = "关闭", .back = rest}},
        {Text1,       "Text1",       {360, 6210, 1800, 330},    {.toolTip = "最多11个字符", .maxLength = 11}},
        {Combo1,      "Combo1",      {2280, 6210, 900, 330},    {.toolTip = "为每个素材选择一个编号"}},
        {Command4,    "Command4",    {3300, 6180, 1080, 390},   {.caption = "添加", .back = rest}},
        {Command5,    "Command5",    {4440, 6180, 1080, 390},   {.caption = "删除", .back = rest}},
        {Label16,     "Label16",     {360, 6900, 4200, 300}},
        {HScroll1,    "HScroll1",    {360, 7320, 4200, 300}},
        {Text2,       "Text2",       {4680, 7305, 840, 330},    {.toolTip = range}},
        {Label12,     "Label12",     {90, 7755, 360, 300},      {.caption = "Tilt", .align = Alignment::Right}},
        {Picture1,    "Picture1",    {510, 6630, PadSize, PadSize}},
        {Line1,       "Line1",       {PadSize / 2, 0, PadSize / 2, PadSize}, {.in = "Picture1", .fore = GuideLineColor}},
        {Line2,       "Line2",       {0, PadSize / 2, PadSize, PadSize / 2}, {.in = "Picture1", .fore = GuideLineColor}},
        {Shape1,      "Shape1",      {0, 0, 160, 160},          {.in = "Picture1"}},
        {Label8,      "Label8",      {3120, 6630, 600, 300}},
        {Label7,      "Label7",      {3780, 6630, 900, 300}},
        {Label9,      "Label9",      {3120, 7200, 1560, 300}},
        {Text3,       "Text3",       {4680, 7170, 840, 330},    {.toolTip = range}},
        {Label10,     "Label10",     {3120, 7680, 1560, 300}},
        {Text4,       "Text4",       {4680, 7650, 840, 330},    {.toolTip = range}},
        {Label11,     "Label11",     {3120, 8160, 1560, 300}},
        {Text5,       "Text5",       {4680, 8130, 840, 330},    {.toolTip = range}},
        {Command3,    "Command3",    {4200, 8730, 1320, 450},   {.back = rest}},
    });
    // clang-format on
    MSFlexGrid1->setRows(GridRows);
    MSFlexGrid1->setCols(DesignedColumns);
    MSFlexGrid1->setFixedRows(1);
    MSFlexGrid1->setFixedCols(0);
    fitGridToDesign();
    HScroll1->setMin(0);
    HScroll1->setMax(MaxValue);
    Picture1->Scale(0, 0, MaxValue, MaxValue);
    Shape1->widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
    CommonDialog1 = new platform::CommonDialog(this, QStringLiteral("CommonDialog1"));
    wireRules();
}

void Form3_2_2::wireRules() {
    MSFlexGrid1->Click = [this] { MSFlexGrid1_Click(); };
    Combo1->Click = [this] { Combo1_Click(); };
    Combo1->LostFocus = [this] { Combo1_LostFocus(); };
    Command2->Click = [this] { Command2_Click(); };
    Command3->Click = [this] { Command3_Click(); };
    Command4->Click = [this] { Command4_Click(); };
    Command5->Click = [this] { Command5_Click(); };
    HScroll1->Change = [this] { HScroll1_Change(); };
    HScroll1->Scroll = [this] { HScroll1_Scroll(); };
    Picture1->MouseDown = [this](int b, int s, float x, float y) {
        Picture1_MouseDown(b, s, x, y);
    };
    Picture1->MouseMove = [this](int b, int s, float x, float y) {
        Picture1_MouseMove(b, s, x, y);
    };
    Text1->Change = [this] { Text1_Change(); };
    Text2->Change = [this] { Text2_Change(); };
    Text3->Change = [this] { Text3_Change(); };
    Text4->Change = [this] { Text4_Change(); };
    Text5->Change = [this] { Text5_Change(); };
    for (TextBox* box : {Text2, Text3, Text4, Text5}) {
        box->Click = [box] { box->selectWhole(); };
    }
    common::lightUnderPointer({Command2, Command3, Command4, Command5});
}

// The grid shows its designed columns whole, the swatch column among them, and all its rows above
// the horizontal scroll bar that a fifth channel brings. Its frame and scroll bar are this
// desktop's own, so its size is measured here rather than written in the table above.
void Form3_2_2::fitGridToDesign() {
    platform::Grid& grid = *MSFlexGrid1;
    const std::array<int, DesignedColumns> widest{NameWidthBesideSwatch, NumberWidth,  SwatchWidth,
                                                  ChannelWidth,          ChannelWidth, ChannelWidth,
                                                  ChannelWidth};
    int columns = 0;
    for (int col = 0; col < DesignedColumns; ++col) {
        grid.setColWidth(col, widest[static_cast<std::size_t>(col)]);
        columns += grid.ColWidth(col);
    }
    grid.setRowHeight(-1, RowHeight);
    int rows = 0;
    for (int row = 0; row < GridRows; ++row) {
        rows += grid.RowHeight(row);
    }
    const int frame = platform::toTwips(2 * grid.frameWidth());
    const int scrollBar = platform::toTwips(grid.horizontalScrollBar()->sizeHint().height());
    grid.setWidth(columns + frame);
    grid.setHeight(rows + frame + scrollBar);
}

std::vector<platform::Control*> Form3_2_2::panelControls() const {
    return {Text1, Combo1, Command4, Text2, HScroll1, Text3, Text4, Text5, Picture1, Command3};
}

// ---- Loading ----

void Form3_2_2::Form_Load() {
    setCaption(Public().WindowTitle);
    Combo1->Clear();
    setUpGrid();
    HScroll1->setVisible(false);
    collapse();

    newGroup_ = platform::window<Form3_2>().opensNewGroup();
    if (newGroup_) {
        loadNewGroup();
    } else {
        loadStoredGroup();
    }
    showSwatchColumn();
    Command5->setEnabled(false);
}

// The name, number and swatch columns; the channel columns follow the group.
void Form3_2_2::setUpGrid() {
    platform::Grid& grid = *MSFlexGrid1;
    grid.setRowHeight(-1, RowHeight);
    grid.setRow(0);
    grid.setCol(0);
    grid.setColWidth(0, NameWidth);
    grid.setColAlignment(0, Alignment::Left);
    grid.setCellAlignment(Alignment::Center);
    grid.setTextMatrix(0, 0, QStringLiteral("素材名称"));
    grid.setColWidth(1, NumberWidth);
    grid.setColAlignment(1, Alignment::Center);
    grid.setTextMatrix(0, 1, QStringLiteral("素材号"));
    grid.setColWidth(SwatchColumn, 0);
    grid.setColAlignment(SwatchColumn, Alignment::Center);
    grid.setTextMatrix(0, SwatchColumn, QString());
}

// The type, the heading and the channels are read here once: the dialog cannot change the group
// while it is edited.
void Form3_2_2::loadNewGroup() {
    const Form3_2_1& dialog = platform::window<Form3_2_1>();
    Label2->setCaption(dialog.heading());
    Label4->setCaption(QStringLiteral("素材组名称：") + dialog.typeWord());
    const auto rows = platform::window<channels::Form2>().rowsFromGrid();
    group_ = GroupEntries(dialog.typeWord(), ChannelsByNumber(rows, Public().ChannelCount,
                                                              dialog.chosenChannelNumbers()));
    layOutColumns();
    for (const QString& number : PaletteNumbersForType(dialog.typeWord())) {
        Combo1->AddItem(number);
    }
}

void Form3_2_2::loadStoredGroup() {
    const Form3_2& list = platform::window<Form3_2>();
    stores::AdvancedStores& stores = Public().Stores;
    stores.paletteGroups.copyOut(list.selectedIndex(), PaletteFields::GroupTable,
                                 stores.paletteTable);
    const stores::TextTable& table = stores.paletteTable;
    for (const QString& number : PaletteNumbersForStoredNumber(table.cell(1, 1))) {
        Combo1->AddItem(number);
    }
    const auto rows = platform::window<channels::Form2>().rowsFromGrid();
    group_ = GroupEntries::FromTable(table, ChannelsOfTable(rows, Public().ChannelCount, table));
    layOutColumns();
    Label2->setCaption(QStringLiteral("素材组编辑"));
    Label4->setCaption(QStringLiteral("素材组名称：") + list.selectedGroup());
    for (int row = 1; row <= group_.count(); ++row) {
        showEntry(row);
    }
}

void Form3_2_2::layOutColumns() {
    platform::Grid& grid = *MSFlexGrid1;
    const int channelCount = static_cast<int>(group_.channels().size());
    grid.setCols(std::max(DesignedColumns, FirstChannelColumn + channelCount));
    for (int col = FirstChannelColumn; col < grid.Cols(); ++col) {
        const int k = col - FirstChannelColumn;
        grid.setColWidth(col, ChannelWidth);
        grid.setColAlignment(col, Alignment::Center);
        if (k < channelCount) {
            grid.setTextMatrix(0, col, QStringLiteral("Ch") + group_.channels()[k].number);
            grid.setCellBackColorAt(0, col, colors::ChannelHeader);
        } else {
            grid.setTextMatrix(0, col, QStringLiteral("-"));
            grid.setCellBackColorAt(0, col, platform::systemButtonFace());
        }
    }
}

void Form3_2_2::showSwatchColumn() {
    if (ShowsSwatchColumn(group_.channels())) {
        MSFlexGrid1->setColWidth(0, NameWidthBesideSwatch);
        MSFlexGrid1->setColWidth(SwatchColumn, SwatchWidth);
        MSFlexGrid1->setTextMatrix(0, SwatchColumn, QStringLiteral("颜色"));
    }
}

// Grid row `row` shows entry row - 1; its swatch cell keeps its colour until one is set.
void Form3_2_2::showEntry(int row) {
    const PaletteEntry& entry = group_.entries()[row - 1];
    MSFlexGrid1->setTextMatrix(row, 0, entry.name);
    MSFlexGrid1->setTextMatrix(row, 1, entry.number);
    for (int k = 0; k < entry.values.size(); ++k) {
        MSFlexGrid1->setTextMatrix(row, FirstChannelColumn + k, entry.values[k]);
    }
    if (entry.swatch) {
        MSFlexGrid1->setCellBackColorAt(row, SwatchColumn, colourOf(RgbOf(*entry.swatch)));
    }
}

void Form3_2_2::Form_Activate() {
    Label13->setCaption(QStringLiteral("正在编辑：") + Public().EditingFileLabel);
}

// ---- A click on the grid ----

void Form3_2_2::MSFlexGrid1_Click() {
    const CellChoice choice =
        ChooseCell(MSFlexGrid1->Row(), MSFlexGrid1->Col(),
                   static_cast<int>(group_.channels().size()), group_.count());
    CurrentChannelColumn = choice.column;
    // Add, Update and Delete act on this row, wherever the keyboard moves the grid afterwards.
    selectedRow_ = choice.row;
    if (choice.enablesDelete) {
        Command5->setEnabled(true);
    }
    Command4->setCaption(choice.addsEntry ? AddCaption : UpdateCaption);
    highlight(selectedRow_);
    PanelMode = ChooseValuePanel(currentLetter(), group_.channels());
    layOutPanel();
    loadRow(selectedRow_);
    showPanel(PanelMode == ValuePanelMode::Slider ? SliderPanelHeight : PicturePanelHeight);
    Text1->SetFocus();
}

void Form3_2_2::highlight(int selectedRow) {
    platform::Grid& grid = *MSFlexGrid1;
    const int lastChannelColumn =
        FirstChannelColumn - 1 + static_cast<int>(group_.channels().size());
    grid.setRedraw(false);
    for (int row = 1; row <= group_.count(); ++row) {
        const bool selected = row == selectedRow;
        for (int col = 0; col <= lastChannelColumn; ++col) {
            if (col == SwatchColumn) {
                continue;
            }
            grid.setCellBackColorAt(row, col,
                                    selected ? colors::Highlight : platform::systemWindow());
            grid.setCellForeColorAt(row, col, selected ? SelectedRowText : QColor(Qt::black));
        }
    }
    grid.setRedraw(true);
    grid.setRow(selectedRow);
}

GroupChannel Form3_2_2::currentChannel() const {
    const auto k = static_cast<std::size_t>(CurrentChannelColumn - FirstChannelColumn);
    return k < group_.channels().size() ? group_.channels()[k] : GroupChannel{};
}

QString Form3_2_2::currentLetter() const {
    return currentChannel().letter;
}

void Form3_2_2::layOutPanel() {
    const bool pad = PanelMode == ValuePanelMode::PanTilt;
    const bool slider = PanelMode == ValuePanelMode::Slider;
    const bool colour = !pad && !slider;
    Command3->setVisible(!slider);
    Command3->setCaption(pad ? QStringLiteral("居中") : QStringLiteral("选颜色"));
    // The pad leaves the visibility of the colour panel's titles as it was.
    Label7->setVisible(colour || (pad && Label7->Visible()));
    Label8->setVisible(PanelMode == ValuePanelMode::Rgb || (!slider && Label8->Visible()));
    if (!slider) {
        Label7->setCaption(PanelMode == ValuePanelMode::Cmy   ? QStringLiteral("CMY")
                           : PanelMode == ValuePanelMode::Rgb ? QStringLiteral("RGB")
                                                              : QString());
        Label8->setCaption(pad ? QStringLiteral("Pan") : QStringLiteral("颜色"));
    }
    const auto captions = BoxCaptions(PanelMode, group_.channels());
    const std::array<platform::Label*, 3> boxLabels{Label9, Label10, Label11};
    for (std::size_t i = 0; i < boxLabels.size(); ++i) {
        if (captions[i]) {
            boxLabels[i]->setCaption(*captions[i]);
        }
    }
    Label9->setVisible(colour);
    Label10->setVisible(!slider);
    Label11->setVisible(!slider);
    Label12->setVisible(pad);
    Label16->setVisible(slider);
    if (slider) {
        Label16->setCaption(QLatin1Char(' ') + MSFlexGrid1->TextMatrix(0, CurrentChannelColumn) +
                            QStringLiteral(" -") + currentChannel().name);
    } else {
        for (platform::Control* padPart :
             {static_cast<platform::Control*>(Line1), static_cast<platform::Control*>(Line2),
              static_cast<platform::Control*>(Shape1)}) {
            padPart->widget()->setVisible(pad);
        }
    }
    HScroll1->setVisible(slider);
    Text2->setVisible(slider);
    Text3->setVisible(colour);
    Text4->setVisible(!slider);
    Text5->setVisible(!slider);
    Picture1->setVisible(!slider);
    if (pad) {
        Text4->setText(QStringLiteral("128"));
        Text5->setText(QStringLiteral("128"));
        Picture1->setBackColor(Qt::white);
    }
}

void Form3_2_2::loadRow(int row) {
    const bool holdsEntry = row <= group_.count();
    if (holdsEntry) {
        const PaletteEntry& entry = group_.entries()[row - 1];
        Text1->setText(entry.name);
        const int number = Combo1->findText(entry.number);
        if (number >= 0) {
            Combo1->setListIndex(number);
        }
        loadBoxes(PanelLoadForEntry(PanelMode, group_.channels(), entry.values,
                                    CurrentChannelColumn - FirstChannelColumn));
    } else {
        Text1->setText(QString());
        Combo1->setListIndex(-1);
        loadBoxes(PanelLoadForNewEntry(PanelMode));
    }
    // Boxes that already held their new text ran no rule: the preview, the slider and the
    // marker are set from them here.
    if (const auto mix = MixOfPanel(PanelMode)) {
        showColourPreview(*mix);
    } else if (PanelMode == ValuePanelMode::Slider) {
        HScroll1->setValue(BoxNumber(Text2->Text()));
    } else {
        placeMarker(BoxNumber(Text4->Text()), BoxNumber(Text5->Text()));
    }
}

void Form3_2_2::loadBoxes(const PanelLoad& load) {
    const std::array<TextBox*, ValueBoxCount> boxes{Text2, Text3, Text4, Text5};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (load[i]) {
            boxes[i]->setText(*load[i]);
        }
    }
}

void Form3_2_2::showPanel(int height) {
    for (platform::Control* c : panelControls()) {
        c->widget()->setEnabled(true);
    }
    setHeight(height);
}

// The panel out of sight below the compact window is disabled as well, so that the keyboard
// cannot reach it either.
void Form3_2_2::collapse() {
    setHeight(CompactHeight);
    for (platform::Control* c : panelControls()) {
        c->widget()->setEnabled(false);
    }
}

// ---- Entry editing ----

void Form3_2_2::Combo1_Click() {
    NumberRefocusPending = false;
    if (Command4->Caption() == AddCaption && group_.numberInUse(Combo1->Text())) {
        platform::msgBox(NumberInUseMessage(Combo1->Text()));
        NumberRefocusPending = true;
        Combo1->SetFocus();
    }
}

void Form3_2_2::Combo1_LostFocus() {
    if (NumberRefocusPending && Visible() && Combo1->Enabled()) {
        Combo1->SetFocus();
    }
}

PanelValues Form3_2_2::panelValues() const {
    return {Text2->Text(), Text3->Text(), Text4->Text(), Text5->Text()};
}

ColourBoxes Form3_2_2::colourBoxes() const {
    return {Text3->Text(), Text4->Text(), Text5->Text()};
}

platform::Control* Form3_2_2::controlOf(EntryControl control) const {
    switch (control) {
    case EntryControl::Text1:
        return Text1;
    case EntryControl::Combo1:
        return Combo1;
    case EntryControl::Text2:
        return Text2;
    case EntryControl::Text3:
        return Text3;
    case EntryControl::Text4:
        return Text4;
    case EntryControl::Text5:
        break;
    }
    return Text5;
}

void Form3_2_2::refuse(const EntryRefusal& refusal) {
    platform::msgBox(refusal.message);
    platform::Control* control = controlOf(refusal.focus);
    if (auto* box = dynamic_cast<TextBox*>(control); box && refusal.selectsText) {
        box->selectWhole();
    }
    control->SetFocus();
}

void Form3_2_2::Command4_Click() {
    const bool adding = Command4->Caption() == AddCaption;
    const EntryInput input{Text1->Text(), Combo1->Text(), PanelMode,
                           CurrentChannelColumn - FirstChannelColumn, panelValues()};
    const auto refused = adding ? group_.add(input) : group_.update(selectedRow_ - 1, input);
    if (refused) {
        refuse(*refused);
        return;
    }
    showEntry(adding ? group_.count() : selectedRow_);
    saveGroup();
    Command5->setEnabled(false);
    collapse();
}

StoredGroup Form3_2_2::saveGroup() {
    stores::AdvancedStores& stores = Public().Stores;
    const StoredGroup stored = SaveGroupToStore(stores.paletteGroups, stores.paletteTable, group_);
    Form3_2& list = platform::window<Form3_2>();
    if (stored.appended) {
        list.groupAppended(group_.groupName());
    } else if (newGroup_) {
        list.selectGroup(group_.groupName());
    }
    return stored;
}

void Form3_2_2::Command5_Click() {
    const int row = selectedRow_;
    if (platform::msgBox(DeleteEntryQuestion(row, MSFlexGrid1->TextMatrix(row, 0)),
                         platform::MsgButtons::OkCancel) != platform::MsgResult::Ok) {
        return;
    }
    // The rows below move up with their swatch colours.
    MSFlexGrid1->RemoveItem(row);
    MSFlexGrid1->setRows(GridRows);
    group_.remove(row - 1);
    const StoredGroup stored = saveGroup();
    Command5->setEnabled(false);
    collapse();
    if (!group_.isEmpty()) {
        return;
    }
    platform::msgBox(GroupEmptiedMessage(group_.groupName()));
    Public().Stores.paletteGroups.remove(stored.column);
    platform::window<Form3_2>().groupRemoved();
    Command2_Click();
}

void Form3_2_2::Text1_Change() {
    common::DropRefusedLastCharacter(Text1, common::TextCheck::QuoteFreeText);
}

// ---- The value panels ----

std::optional<double> Form3_2_2::checkValueBox(TextBox* box) {
    const ValueCheck check = CheckValueText(box->Text());
    switch (check.outcome) {
    case ValueCheck::Outcome::Corrected:
        box->setText(check.corrected); // checked again
        return std::nullopt;
    case ValueCheck::Outcome::NotANumber:
        platform::msgBox(ValueRangeMessage);
        box->selectWhole();
        box->SetFocus();
        return std::nullopt;
    case ValueCheck::Outcome::InRange:
        break;
    }
    return check.value;
}

void Form3_2_2::HScroll1_Change() {
    Text2->setText(QString::number(HScroll1->Value()));
}

void Form3_2_2::Text2_Change() {
    if (const auto value = checkValueBox(Text2)) {
        HScroll1->setValue(WholeValue(*value));
    }
}

void Form3_2_2::Text3_Change() {
    if (checkValueBox(Text3)) {
        showColourPreview(MixOf(currentLetter()).value_or(ColourMix::Rgb));
    }
}

void Form3_2_2::Text4_Change() {
    showPanTiltOrColour(Text4);
}

void Form3_2_2::Text5_Change() {
    showPanTiltOrColour(Text5);
}

// Text4 and Text5 are green and blue (or magenta and yellow) as well as pan and tilt.
void Form3_2_2::showPanTiltOrColour(TextBox* box) {
    if (!checkValueBox(box)) {
        return;
    }
    if (const auto mix = MixOf(currentLetter())) {
        showColourPreview(*mix);
    } else if (BoxOfLetter(ValuePanelMode::PanTilt, currentLetter())) {
        placeMarker(BoxNumber(Text4->Text()), BoxNumber(Text5->Text()));
    }
}

void Form3_2_2::showColourPreview(ColourMix mix) {
    Picture1->setBackColor(colourOf(ColourOfBoxes(mix, colourBoxes())));
}

void Form3_2_2::placeMarker(double pan, double tilt) {
    const MarkerOrigin origin = MarkerAt(pan, tilt);
    const auto twips = [this](double units) {
        return static_cast<int>(std::lround(units * Picture1->Width() / Picture1->ScaleWidth()));
    };
    Shape1->Move(twips(origin.left), twips(origin.top), twips(MarkerSize), twips(MarkerSize));
}

void Form3_2_2::Picture1_MouseDown(int button, int, float x, float y) {
    if (button != platform::LeftButton || !BoxOfLetter(ValuePanelMode::PanTilt, currentLetter())) {
        return;
    }
    const PadPoint point = ClampToPad(x, y);
    Text4->setText(QString::number(WholeValue(point.pan)));
    Text5->setText(QString::number(WholeValue(point.tilt)));
    placeMarker(point.pan, point.tilt);
}

void Form3_2_2::Command3_Click() {
    const QString letter = currentLetter();
    if (BoxOfLetter(ValuePanelMode::PanTilt, letter)) {
        Text4->setText(QStringLiteral("128"));
        Text5->setText(QStringLiteral("128"));
        placeMarker(128, 128);
    } else if (const auto mix = MixOf(letter)) {
        PickColour();
        const QColor picked = CommonDialog1->Color;
        const ColourBoxes boxes =
            BoxesOfColour(*mix, {picked.red(), picked.green(), picked.blue()});
        Text3->setText(boxes.first);
        Text4->setText(boxes.second);
        Text5->setText(boxes.third);
    }
}

void Form3_2_2::PickColour() {
    CommonDialog1->Flags = 3;
    const ColourMix mix = Label7->Caption() == u"RGB" ? ColourMix::Rgb : ColourMix::Cmy;
    CommonDialog1->Color = colourOf(ColourOfBoxes(mix, colourBoxes()));
    CommonDialog1->ShowColor(); // a cancelled dialog keeps the starting colour
    Picture1->setBackColor(CommonDialog1->Color);
}

// ---- Closing and hover ----

void Form3_2_2::Command2_Click() {
    if (platform::isLoaded<Form3_2_1>()) {
        platform::unload(platform::window<Form3_2_1>());
    }
    platform::unload(*this);
}

void Form3_2_2::Form_QueryUnload(bool&, platform::UnloadMode) {
    platform::window<Form3_2>().Show();
}

void Form3_2_2::Form_MouseMove(int, int, float, float) {
    common::putToRest({Command2, Command3, Command4, Command5});
    Label1->setForeColor(colors::LinkRest);
}

} // namespace palettes
