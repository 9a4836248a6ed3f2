#include "macros/Form3_3_2.h"

#include "channels/Form2.h"
#include "common/Banner.h"
#include "common/Colors.h"
#include "common/Hover.h"
#include "common/Public.h"
#include "macros/Form3_3.h"
#include "macros/Form3_3_1.h"
#include "macros/StepGrids.h"
#include "platform/Desktop.h"
#include "platform/Layout.h"

namespace macros {

using common::Public;
using platform::Alignment;
using platform::Grid;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
namespace colors = common::colors;

namespace {
constexpr int ChannelColumnWidth = 600;
constexpr int GridRowHeight = 280;
} // namespace

Form3_3_2::Form3_3_2() : Form(QString::fromLatin1(Name)) {
    setClientSize(9000, 7200);
    setAutoFillBackground(true);
    const common::Banner banner = common::addBanner(*this, 9000, "Label3", "Label1");
    Label3 = banner.band;
    Label1 = banner.link;
    const QColor rest = colors::ButtonRest;
    // clang-format off
    platform::layOut(*this, {
        {Label2,      "Label2",       {600, 1020, 3000, 360},  {.caption = "宏编辑"}},
        {Label4,      "Label4",       {600, 1440, 4800, 300},  {.caption = "宏名称："}},
        {MSFlexGrid1, "MSFlexGrid1",  {600, 1800, 5400, 2160}},
        {Command2,    "Command2",     {6360, 1800, 1200, 420}, {.caption = "保存", .back = rest}},
        {Command3,    "Command3",     {6360, 2400, 1200, 420}, {.caption = "取消", .back = rest}},
        {Frame1,      "Frame1",       {600, 4140, 8160, 2400}, {.caption = "新增执行步"}},
        {Option1[0],  {"Option1", 0}, {240, 300, 960, 300},    {.in = "Frame1", .caption = "数据", .value = true}},
        {Option1[1],  {"Option1", 1}, {1320, 300, 960, 300},   {.in = "Frame1", .caption = "延时"}},
        {MSFlexGrid2, "MSFlexGrid2",  {240, 720, 3120, 620},   {.in = "Frame1", .toolTip = "点击某列，可修改该通道的数值"}},
        {Label9,      "Label9",       {240, 780, 1800, 300},   {.in = "Frame1", .caption = "时间(单位：0.1秒)"}},
        {Text1,       "Text1",        {2160, 720, 1000, 360},  {.in = "Frame1", .align = Alignment::Center}},
        {HScroll1,    "HScroll1",     {240, 1500, 5400, 255},  {.in = "Frame1"}},
        {Label6,      "Label6",       {5880, 720, 1500, 300},  {.in = "Frame1", .caption = "D:"}},
        {Label7,      "Label7",       {5880, 1020, 1500, 300}, {.in = "Frame1", .caption = "P:"}},
        {Label8,      "Label8",       {5880, 1320, 1500, 300}, {.in = "Frame1", .caption = "H:"}},
        {Label5,      "Label5",       {240, 1920, 4000, 300},  {.in = "Frame1"}},
        {Command1,    "Command1",     {6600, 1800, 1200, 420}, {.in = "Frame1", .caption = "添加", .back = rest}},
        {Label10,     "Label10",      {600, 6720, 4800, 300},  {.caption = "正在编辑："}},
    });
    // clang-format on
    MSFlexGrid1->setFixedCols(0);
    MSFlexGrid1->setRows(StepGridLeastRows);
    MSFlexGrid1->setCols(StepGridLeastColumns);
    MSFlexGrid2->setFixedCols(0);
    MSFlexGrid2->setRows(2);
    MSFlexGrid2->setCols(ValueGridLeastColumns);
    HScroll1->setMin(LowestLevel);
    HScroll1->setMax(HighestLevel);
    HScroll1->setSmallChange(1);
    wireRules();
    wireHover();
}

void Form3_3_2::wireRules() {
    for (int i = 0; i < 2; ++i) {
        Option1[i]->Click = [this, i] { Option1_Click(i); };
    }
    HScroll1->Change = [this] { HScroll1_Change(); };
    HScroll1->Scroll = [this] { HScroll1_Scroll(); };
    Text1->Change = [this] { Text1_Change(); };
    Text1->Click = [this] { Text1_Click(); };
    MSFlexGrid1->Click = [this] { MSFlexGrid1_Click(); };
    MSFlexGrid2->Click = [this] { MSFlexGrid2_Click(); };
    Command1->Click = [this] { Command1_Click(); };
    Command2->Click = [this] { Command2_Click(); };
    Command3->Click = [this] { Command3_Click(); };
}

void Form3_3_2::wireHover() {
    common::lightUnderPointer({Command2, Command3});
    common::lightUnderPointer(Option1);
    common::lightUnderPointer({Text1});
    Label3->MouseMove = [this](int, int, float, float) {
        restControls();
        Label1->setForeColor(colors::LinkRest);
    };
    Frame1->MouseMove = [this](int, int, float, float) {
        restControls();
        common::putToRest(Option1);
    };
}

void Form3_3_2::Form_Load() {
    setCaption(Public().WindowTitle);
    BuildStepGrids();
}

void Form3_3_2::BuildStepGrids() {
    mode =
        platform::window<Form3_3>().Tag == QStringLiteral("Edit") ? OpenMode::Edit : OpenMode::New;
    if (mode == OpenMode::Edit) {
        steps = Public().Stores.macroStepTable;
    } else {
        const Form3_3_1& dialog = platform::window<Form3_3_1>();
        steps = NewStepTable(dialog.macroName(), dialog.chosenChannelNumbers());
    }
    CurMacroName = MacroNameOf(steps);
    CurChannelCount = ChannelCountOf(steps);

    headGrid(*MSFlexGrid1, StepGridHeaders(steps, mode), {450, 800, 800});
    headGrid(*MSFlexGrid2, ValueGridHeaders(steps), {});
    for (int col = 0; col < CurChannelCount; ++col) {
        MSFlexGrid2->setTextMatrix(1, col, QStringLiteral("0"));
    }
    // The first channel's value is the one the scroll bar sets, though not yet highlighted.
    chosenColumn = 0;
    MSFlexGrid2->setRow(1);
    MSFlexGrid2->setCol(chosenColumn);

    Label4->setCaption(Label4->Caption() + QStringLiteral(" ") + CurMacroName);
    Label9->setVisible(false);
    Text1->setVisible(false);
    if (mode == OpenMode::Edit) {
        MSFlexGrid1->setRows(StepGridRowsFor(MSFlexGrid1->Rows(), StepCount(steps)));
        showSteps();
    }
    Label5->setCaption(QString());
}

// The rows present now are made low; the designed columns grow to take every header. The
// leading columns get their own widths and the highlight, channel columns the channel colour,
// the dash columns left over the button face.
void Form3_3_2::headGrid(Grid& grid, const QStringList& headers,
                         const std::vector<int>& leadingWidths) {
    for (int row = 0; row < grid.Rows(); ++row) {
        grid.setRowHeight(row, GridRowHeight);
    }
    grid.setRow(0);
    grid.setCols(std::max(grid.Cols(), static_cast<int>(headers.size())));
    const int leading = static_cast<int>(leadingWidths.size());
    for (int col = 0; col < grid.Cols(); ++col) {
        const QString header = headers.value(col);
        grid.setColWidth(col, col < leading ? leadingWidths[col] : ChannelColumnWidth);
        grid.setColAlignment(col, Alignment::Center);
        grid.setTextMatrix(0, col, header);
        grid.setCellBackColorAt(0, col,
                                col < leading                   ? colors::Highlight
                                : header == SurplusColumnHeader ? platform::systemButtonFace()
                                                                : colors::ChannelHeader);
    }
}

void Form3_3_2::showSteps() {
    for (int row = 1; row < MSFlexGrid1->Rows(); ++row) {
        const QStringList cells = StepGridRow(steps, row);
        for (int col = 0; col < MSFlexGrid1->Cols(); ++col) {
            MSFlexGrid1->setTextMatrix(row, col, cells.value(col));
        }
    }
}

void Form3_3_2::Form_Activate() {
    Label10->setCaption(QStringLiteral("正在编辑：") + Public().EditingFileLabel);
}

void Form3_3_2::Form_QueryUnload(bool&, platform::UnloadMode) {
    platform::window<Form3_3>().Show();
}

void Form3_3_2::Form_MouseMove(int, int, float, float) {
    restControls();
    Label1->setForeColor(colors::LinkRest);
}

// Data steps take the value grid and the scroll bar from 0 with every value 0; delay steps the
// time box, which starts at 10 tenths and moves the scroll bar with it.
void Form3_3_2::Option1_Click(int) {
    const bool data = Option1[0]->Value();
    Label9->setVisible(!data);
    Text1->setVisible(!data);
    MSFlexGrid2->setVisible(data);
    if (!data) {
        Text1->setText(QString::number(DefaultDelayTenths));
        // A box that already read so ran no rule: the bar still stands where the data left it.
        HScroll1->setValue(DefaultDelayTenths);
        return;
    }
    HScroll1->setValue(LowestLevel);
    for (int col = 0; col < CurChannelCount; ++col) {
        MSFlexGrid2->setTextMatrix(1, col, QStringLiteral("0"));
    }
}

void Form3_3_2::ShowLevel() {
    const int level = HScroll1->Value();
    const LevelReadout readout = ReadLevel(level);
    Label6->setCaption(readout.decimal);
    Label7->setCaption(readout.percent);
    Label8->setCaption(readout.hex);
    if (!Option1[0]->Value()) {
        Text1->setText(QString::number(level));
        return;
    }
    MSFlexGrid2->setTextMatrix(1, chosenColumn, QString::number(level));
    MSFlexGrid2->setCellBackColorAt(1, chosenColumn, colors::Highlight);
}

// The box's text stays as typed; the scroll bar takes it rounded to whole tenths.
void Form3_3_2::Text1_Change() {
    const DelayCheck check = CheckDelayTime(Text1->Text());
    if (check.tenths) {
        HScroll1->setValue(*check.tenths);
    } else {
        refuseDelay(check.message);
    }
}

void Form3_3_2::Text1_Click() {
    Text1->selectWhole();
}

void Form3_3_2::refuseDelay(const QString& message) {
    platform::msgBox(message);
    Text1_Click();
    Text1->SetFocus();
}

// A click offers to delete the step of its row: the first for the header row, the last for a
// row below the steps.
void Form3_3_2::MSFlexGrid1_Click() {
    const std::optional<int> step = StepToDelete(MSFlexGrid1->Row(), StepCount(steps));
    if (!step) {
        return;
    }
    MSFlexGrid1->setRow(*step);
    if (platform::msgBox(DeleteStepQuestion(*step), MsgButtons::OkCancel, MsgIcon::None, {},
                         true) == MsgResult::Ok) {
        DeleteStep(steps, *step);
    }
    showSteps();
    MSFlexGrid1->setRows(StepGridRowsAfterDeleteClick(MSFlexGrid1->Rows(), StepCount(steps)));
}

// The clicked channel's value becomes the one the scroll bar sets; a dash column means the last
// channel.
void Form3_3_2::MSFlexGrid2_Click() {
    Grid& grid = *MSFlexGrid2;
    grid.setRow(1);
    grid.setCol(std::min(grid.Col(), CurChannelCount - 1));
    // The bar sets this channel, wherever the arrow keys move the grid afterwards: Label5 names it.
    chosenColumn = grid.Col();
    for (int col = 0; col < CurChannelCount; ++col) {
        grid.setCellBackColorAt(1, col, platform::systemWindow());
    }
    grid.setCellBackColorAt(1, chosenColumn, colors::Highlight);
    if (const QString value = grid.TextMatrix(1, chosenColumn); !value.isEmpty()) {
        HScroll1->setValue(value.toInt());
    }
    const QString channelNumber = grid.TextMatrix(0, chosenColumn).mid(2);
    Label5->setCaption(ChannelLabel(platform::window<channels::Form2>().rowsFromGrid(),
                                    Public().ChannelCount, channelNumber));
}

// Adds the step being composed after the last one, then offers the other kind of step.
void Form3_3_2::Command1_Click() {
    const bool data = Option1[0]->Value();
    if (data) {
        QStringList values;
        for (int col = 0; col < CurChannelCount; ++col) {
            values << MSFlexGrid2->TextMatrix(1, col);
        }
        AppendDataStep(steps, values);
    } else {
        const DelayCheck check = CheckDelayTime(Text1->Text());
        if (!check.tenths) {
            refuseDelay(check.message);
            return;
        }
        AppendDelayStep(steps, *check.tenths);
    }
    MSFlexGrid1->setRows(StepGridRowsFor(MSFlexGrid1->Rows(), StepCount(steps)));
    showSteps();
    MSFlexGrid1->setRow(StepCount(steps));
    Option1[data ? 1 : 0]->setValue(true);
}

void Form3_3_2::Command2_Click() {
    switch (StoreMacro(Public().Stores, steps, mode)) {
    case SaveOutcome::NoSteps:
        platform::msgBox(NoStepsMessage(CurMacroName));
        return;
    case SaveOutcome::MacroGone:
        platform::msgBox(MacroGoneMessage(CurMacroName));
        return;
    case SaveOutcome::Appended:
        platform::window<Form3_3>().addToList(CurMacroName);
        break;
    case SaveOutcome::Replaced:
        break;
    }
    closeEditing();
}

void Form3_3_2::Command3_Click() {
    if (platform::msgBox(DiscardEditsQuestion, MsgButtons::OkCancel) == MsgResult::Ok) {
        closeEditing();
    }
}

void Form3_3_2::closeEditing() {
    if (platform::Form* dialog = platform::windows().find(QString::fromLatin1(Form3_3_1::Name))) {
        platform::unload(*dialog);
    }
    platform::unload(*this);
}

void Form3_3_2::restControls() {
    common::putToRest({Text1});
    common::putToRest({Command2, Command3});
}

} // namespace macros
