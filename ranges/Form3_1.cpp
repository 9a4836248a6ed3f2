#include "ranges/Form3_1.h"

#include "channels/ChannelTable.h"
#include "channels/Form2.h"
#include "common/Banner.h"
#include "common/Colors.h"
#include "common/Hover.h"
#include "common/Module1.h"
#include "common/Public.h"
#include "platform/Desktop.h"
#include "platform/Layout.h"
#include "shell/Form3.h"

#include <array>

namespace ranges {

using common::Public;
using platform::Alignment;
using platform::CommandButton;
namespace colors = common::colors;

namespace {
// Browse mode shows the list and the grid; add and clear mode open the editing panel below.
constexpr int CompactHeight = 5200;
constexpr int EditHeight = 7770;
constexpr int CompactListHeight = 2325;
constexpr int EditListHeight = 4875;
constexpr int DesignedGridRows = 10;

const QStringList GridHeaders{"从", "到", "范围描述", "变量: a=低值 b=高值 c=DMX值"};
constexpr std::array<int, 4> GridColumnWidths{480, 480, 1500, 4700};
constexpr std::array<Alignment, 4> GridColumnAlignments{Alignment::Center, Alignment::Center,
                                                        Alignment::Left, Alignment::Left};
const QString AddHint = QStringLiteral("设定一个数值区间用于新增的通道范围...");
const QString ClearHint = QStringLiteral("设定一个需要清除的数值区间范围...");
const QString FormulaCaption = QStringLiteral("变量描述");
} // namespace

Form3_1::Form3_1() : Form(QString::fromLatin1(Name)) {
    setClientSize(10515, EditHeight - platform::FrameHeightTwips);
    setAutoFillBackground(true);
    const common::Banner banner = common::addBanner(*this, 10515, "Label3", "Label1", "Picture1");
    Label3 = banner.band;
    Label1 = banner.link;

    const QColor rest = colors::ButtonRest;
    const QString boundTip = QStringLiteral("范围：0-255");
    // clang-format off
    platform::layOut(*this, {
        {Label2,      "Label2",      {240, 975, 2400, 405},    {.caption = "通道范围表编辑", .fontGrow = 6}},
        {Label11,     "Label11",     {2760, 1095, 5000, 300},  {.caption = "正在编辑："}},
        {Label4,      "Label4",      {240, 1575, 840, 300},    {.caption = "通道号："}},
        {Label9,      "Label9",      {2760, 1575, 1470, 300},  {.caption = "范围项目列表："}},
        {Label12,     "Label12",     {240, 4395, 2295, 300},   {.caption = "请选择需要编辑的通道"}}, // under the tall list
        {List1,       "List1",       {240, 1935, 2295, CompactListHeight}, {.toolTip = "选择一个通道进行编辑..."}},
        {MSFlexGrid1, "MSFlexGrid1", {2760, 1935, 7455, 2295}},
        {Command1,    "Command1",    {7080, 4335, 975, 375},   {.caption = "增加", .toolTip = "增加一个范围区间", .back = rest}},
        {Command2,    "Command2",    {8160, 4335, 975, 375},   {.caption = "清除", .toolTip = "清除一个范围区间", .back = rest}},
        {Command4,    "Command4",    {9240, 4335, 975, 375},   {.caption = "关闭", .back = rest}},
        {Label8,      "Label8",      {2760, 4395, 4200, 300},  {.caption = AddHint}},
        {Line1,       "Line1",       {2760, 4815, 10200, 4815}},
        {Label7,      "Label7",      {3120, 5055, 1000, 300},  {.caption = "范围描述"}},
        {Label10,     "Label10",     {3120, 5555, 5000, 300},  {.caption = FormulaCaption}},
        {Text1,       "Text1",       {4200, 5055, 1695, 315},  {.toolTip = "最多11个字符", .maxLength = 11}},
        {Text4,       "Text4",       {4200, 5535, 6015, 315}},
        {Label5,      "Label5",      {3000, 6015, 360, 300},   {.caption = " 从 "}},
        {Text2,       "Text2",       {3360, 6015, 495, 315},   {.toolTip = boundTip, .maxLength = 3, .align = Alignment::Center}},
        {HScroll1,    "HScroll1",    {3960, 6015, 6255, 315}},
        {Label6,      "Label6",      {3000, 6495, 360, 315},   {.caption = " 到 "}},
        {Text3,       "Text3",       {3360, 6495, 495, 315},   {.toolTip = boundTip, .maxLength = 3, .align = Alignment::Center}},
        {HScroll2,    "HScroll2",    {3960, 6495, 6255, 315}},
        {Command5,    "Command5",    {8160, 6975, 975, 375},   {.caption = "确定", .back = rest}},
        {Command6,    "Command6",    {9240, 6975, 975, 375},   {.caption = "取消", .back = rest}},
    });
    // clang-format on
    for (platform::HScrollBar* bar : {HScroll1, HScroll2}) {
        bar->setMin(LowestValue);
        bar->setMax(HighestValue);
    }
    setUpGrid();
    wireRules();
    wireHover();
}

void Form3_1::setUpGrid() {
    MSFlexGrid1->setCols(static_cast<int>(GridHeaders.size()));
    MSFlexGrid1->setFixedRows(1);
    MSFlexGrid1->setFixedCols(0);
    MSFlexGrid1->setBackColorFixed(colors::Hover);
    MSFlexGrid1->setAllowUserResizing(true);
    for (int c = 0; c < MSFlexGrid1->Cols(); ++c) {
        MSFlexGrid1->setColWidth(c, GridColumnWidths[c]);
        MSFlexGrid1->setColAlignment(c, GridColumnAlignments[c]);
    }
    MSFlexGrid1->setRows(DesignedGridRows);
    // The headers of the text columns stand in the middle of their cells.
    MSFlexGrid1->setRow(0);
    for (int c : {2, 3}) {
        MSFlexGrid1->setCol(c);
        MSFlexGrid1->setCellAlignment(Alignment::Center);
    }
}

void Form3_1::wireRules() {
    List1->Click = [this] { List1_Click(); };
    Command1->Click = [this] { Command1_Click(); };
    Command2->Click = [this] { Command2_Click(); };
    Command4->Click = [this] { Command4_Click(); };
    Command5->Click = [this] { Command5_Click(); };
    Command6->Click = [this] { Command6_Click(); };
    // Dragging a thumb and letting it go run the same rule.
    HScroll1->Change = HScroll1->Scroll = [this] { HScroll1_Change(); };
    HScroll2->Change = HScroll2->Scroll = [this] { HScroll2_Change(); };
    Text2->KeyPress = common::DigitKeysOnly;
    Text3->KeyPress = common::DigitKeysOnly;
    Text2->Validate = [this](bool& cancel) { Text2_Validate(cancel); };
    Text3->Validate = [this](bool& cancel) { Text3_Validate(cancel); };
    Text1->Change = [this] { Text1_Change(); };
    Text4->Change = [this] { Text4_Change(); };
    Text1->GotFocus = [this] { Text1_GotFocus(); };
}

void Form3_1::wireHover() {
    common::lightUnderPointer({Command1, Command2, Command4, Command5, Command6});
    common::lightUnderPointer({Text1});
}

// ---- loading and closing ----

void Form3_1::Form_Load() {
    setCaption(Public().WindowTitle);
    m_mode = EditMode::Browse;
    setHeight(CompactHeight);
    Line1->setVisible(false);
    List1->setHeight(CompactListHeight);
    m_grid = RangeGrid{{}, DesignedGridRows};
    showGrid();

    const channels::ChannelRows rows = platform::window<channels::Form2>().rowsFromGrid();
    m_channels = RangeChannels(rows, Public().ChannelCount);
    for (const RangeChannel& channel : m_channels) {
        List1->AddItem(RangeChannelItemText(channel, Public().Stores.rangeTables));
        List1->setItemData(List1->ListCount() - 1, channel.channel);
    }
    Label8->setVisible(false);
    Label12->setVisible(true);
    Command1->setEnabled(false);
    Command2->setEnabled(false);
    enablePanel(false);
}

void Form3_1::Form_Activate() {
    Label11->setCaption(QStringLiteral("正在编辑：") + Public().EditingFileLabel);
}

void Form3_1::Command4_Click() {
    auto& page = platform::window<shell::Form3>();
    page.setEditorCaption(shell::Form3::TableEditor::Ranges, Public().Stores.rangeTables.count());
    page.Show();
    platform::unload(*this);
}

// The close box leaves the page's caption as it was; an interval not applied with OK is dropped.
void Form3_1::Form_QueryUnload(bool&, platform::UnloadMode) {
    if (!Public().ResetInProgress) {
        platform::window<shell::Form3>().Show();
    }
}

// ---- the channel's table ----

void Form3_1::List1_Click() {
    const int index = List1->ListIndex();
    if (index < 0) {
        return;
    }
    // A mode in progress goes on with the newly chosen channel.
    Command1->setEnabled(true);
    const LoadedRanges loaded = LoadRangeTable(Public().Stores, List1->ItemData(index));
    m_grid = loaded.grid;
    showGrid();
    Command2->setEnabled(loaded.hasTable);
}

// Rows the entries left behind are emptied, so the grid shows exactly the table.
void Form3_1::showGrid() {
    MSFlexGrid1->setRows(m_grid.rowCount);
    for (int c = 0; c < MSFlexGrid1->Cols(); ++c) {
        MSFlexGrid1->setTextMatrix(0, c, GridHeaders[c]);
    }
    const int entryRows = static_cast<int>(m_grid.entries.size());
    for (int r = 1; r < m_grid.rowCount; ++r) {
        const RangeEntry entry = r <= entryRows ? m_grid.entries[r - 1] : RangeEntry{};
        const bool empty = r > entryRows;
        MSFlexGrid1->setTextMatrix(r, 0, empty ? QString() : QString::number(entry.low));
        MSFlexGrid1->setTextMatrix(r, 1, empty ? QString() : QString::number(entry.high));
        MSFlexGrid1->setTextMatrix(r, 2, entry.description);
        MSFlexGrid1->setTextMatrix(r, 3, entry.formula);
    }
}

// ---- the modes ----

void Form3_1::Command1_Click() {
    enterMode(EditMode::Add, AddModeBounds(m_grid.entries));
}

void Form3_1::Command2_Click() {
    enterMode(EditMode::Clear, ClearModeBounds(m_grid.entries));
}

void Form3_1::enterMode(EditMode mode, IntervalBounds bounds) {
    const bool adding = mode == EditMode::Add;
    setHeight(EditHeight);
    Line1->setVisible(true);
    for (CommandButton* button : {Command1, Command2, Command4}) {
        button->setEnabled(false);
    }
    List1->setHeight(EditListHeight);
    if (adding) {
        Text1->setText(QString()); // the formula stays for the next entry
    }
    // From first: the to bar follows it up, then takes its own value.
    HScroll1->setValue(bounds.from);
    HScroll2->setValue(bounds.to);
    Text2->setText(QString::number(HScroll1->Value()));
    Text3->setText(QString::number(HScroll2->Value()));
    for (QWidget* addOnly : std::initializer_list<QWidget*>{Label7, Text1, Text4, Label8}) {
        addOnly->setVisible(adding);
    }
    Label10->setCaption(adding ? FormulaCaption : ClearHint);
    m_mode = mode;
    (adding ? Command1 : Command2)->setBackColor(colors::Hover);
    enablePanel(true);
}

void Form3_1::Command6_Click() {
    backToBrowse();
    if (!m_grid.entries.empty()) {
        Command2->setEnabled(true);
    }
}

void Form3_1::backToBrowse() {
    setHeight(CompactHeight);
    Line1->setVisible(false);
    List1->setHeight(CompactListHeight);
    Label8->setVisible(false);
    Command1->setEnabled(true);
    Command4->setEnabled(true);
    Command1->setBackColor(colors::ButtonRest);
    Command2->setBackColor(colors::ButtonRest);
    m_mode = EditMode::Browse;
    enablePanel(false);
}

// Outside add and clear mode the panel is out of reach of the keyboard too.
void Form3_1::enablePanel(bool enabled) {
    for (platform::Control* control : std::initializer_list<platform::Control*>{
             Text1, Text2, Text3, Text4, HScroll1, HScroll2, Command5, Command6}) {
        control->widget()->setEnabled(enabled);
    }
}

// Works the interval into the grid and saves the whole table as the channel's.
void Form3_1::Command5_Click() {
    const int index = List1->ListIndex();
    if (index < 0) {
        return;
    }
    const int from = HScroll1->Value();
    const int to = HScroll2->Value();
    if (m_mode == EditMode::Add) {
        if (Text1->Text().isEmpty()) {
            platform::msgBox(DescriptionMissingMessage);
            Text1->SetFocus();
            Command5->setBackColor(colors::ButtonRest);
            return;
        }
        AddInterval(m_grid, {from, to, Text1->Text(), Text4->Text()});
    } else if (m_mode == EditMode::Clear) {
        ClearInterval(m_grid, from, to);
    }
    stores::AdvancedStores& stores = Public().Stores;
    StoreRangeTable(stores, List1->ItemData(index),
                    platform::window<channels::Form2>().rowsFromGrid(), m_grid.entries);
    showGrid();
    List1->setList(index, RangeChannelItemText(m_channels[index], stores.rangeTables));
    backToBrowse();
    Command2->setEnabled(true);
}

// ---- the bounds: each bar writes its box, from never above to ----

void Form3_1::HScroll1_Change() {
    Text2->setText(QString::number(HScroll1->Value()));
    if (HScroll1->Value() >= HScroll2->Value()) {
        HScroll2->setValue(HScroll1->Value());
    }
}

void Form3_1::HScroll2_Change() {
    Text3->setText(QString::number(HScroll2->Value()));
    if (HScroll2->Value() < HScroll1->Value()) {
        HScroll2->setValue(HScroll1->Value());
    }
}

void Form3_1::Text2_Validate(bool& cancel) {
    const BoundCheck check = CheckFromBound(Text2->Text());
    if (check.value && channels::ParseNumber(Text3->Text()).value_or(0) < *check.value) {
        Text3->setText(Text2->Text());
    }
    cancel = !takeBound(Text2, HScroll1, check);
}

void Form3_1::Text3_Validate(bool& cancel) {
    cancel = !takeBound(Text3, HScroll2, CheckToBound(Text3->Text(), Text2->Text()));
}

bool Form3_1::takeBound(platform::TextBox* box, platform::HScrollBar* bar,
                        const BoundCheck& check) {
    if (check.value) {
        bar->setValue(*check.value);
        return true;
    }
    platform::msgBox(check.message);
    if (check.correctedText) {
        box->setText(*check.correctedText);
    }
    return false;
}

// ---- the description and the formula ----

void Form3_1::Text1_Change() {
    common::DropRefusedLastCharacter(Text1, common::TextCheck::QuoteFreeText);
}

void Form3_1::Text4_Change() {
    common::DropRefusedLastCharacter(Text4, common::TextCheck::QuoteFreeText);
}

void Form3_1::Text1_GotFocus() {
    Text1->selectWhole();
}

void Form3_1::Form_MouseMove(int, int, float, float) {
    if (m_mode != EditMode::Add) {
        Command1->setBackColor(colors::ButtonRest);
    }
    if (m_mode != EditMode::Clear) {
        Command2->setBackColor(colors::ButtonRest);
    }
    common::putToRest({Command4, Command5, Command6});
    Label1->setForeColor(colors::LinkRest);
    common::putToRest({Text1});
}

} // namespace ranges
