#include "channels/Form2.h"

#include "basicinfo/Form1.h"
#include "channels/ChannelSettings.h"
#include "channels/ChannelTable.h"
#include "channels/Form2_3.h"
#include "channels/Vocabulary.h"
#include "common/Banner.h"
#include "common/Colors.h"
#include "common/Hover.h"
#include "common/Module1.h"
#include "common/Public.h"
#include "platform/Desktop.h"
#include "platform/Layout.h"
#include "quicksetup/Form2_1.h"
#include "shell/Form3.h"

#include <algorithm>

namespace channels {

using common::Public;
using platform::CommandButton;

namespace {
const QColor HeaderBack{255, 192, 128};
const QColor GridBackground{224, 224, 224};
} // namespace

Form2::Form2() : Form(QString::fromLatin1(Name)) {
    // The grid holds its fourteen columns beside the vertical scroll bar that many channels bring.
    setClientSize(11700, 8400);
    setAutoFillBackground(true);
    const common::Banner banner = common::addBanner(*this, 11700, "Label3", "Label4", "Picture1");
    Label3 = banner.band;
    Label4 = banner.link;

    const QColor rest = common::colors::ButtonRest;
    // clang-format off
    platform::layOut(*this, {
        {Label2,      "Label2",      {360, 1020, 3000, 360},   {.caption = "DMX通道编辑"}},
        {Label1,      "Label1",      {5400, 1080, 5940, 300},  {.caption = "正在编辑：", .align = platform::Alignment::Right}},
        {MSFlexGrid1, "MSFlexGrid1", {360, 1440, 10980, 5940}, {.toolTip = "点击各通道行，可编辑详细的DMX数据"}},
        {Command3,    "Command3",    {360, 7680, 2400, 450},   {.caption = "快速通道设置", .toolTip = "对一些常见通道进行快速的默认设置", .back = rest}},
        {Command1,    "Command1",    {8340, 7680, 1400, 450},  {.caption = "<<", .toolTip = "上一步", .back = rest}},
        {Command2,    "Command2",    {9940, 7680, 1400, 450},  {.caption = ">>", .toolTip = "下一步", .back = rest}},
    });
    // clang-format on
    platform::setTabOrder({MSFlexGrid1, Command2, Command1, Command3});
    MSFlexGrid1->setCols(ChannelColumnCount);
    MSFlexGrid1->setFixedRows(1);
    MSFlexGrid1->setFixedCols(0);
    MSFlexGrid1->setBackColorFixed(HeaderBack);
    MSFlexGrid1->setBackColorBkg(GridBackground);

    MSFlexGrid1->Click = [this] { MSFlexGrid1_Click(); };
    Command1->Click = [this] { Command1_Click(); };
    Command2->Click = [this] { Command2_Click(); };
    Command3->Click = [this] { Command3_Click(); };
    common::lightUnderPointer({Command1, Command2, Command3});
}

void Form2::Form_Load() {
    setCaption(Public().WindowTitle);
}

void Form2::Form_Activate() {
    Label1->setCaption(QStringLiteral("正在编辑：") + Public().EditingFileLabel);
    const QStringList announcements = layOutGrid();
    for (const QString& announcement : announcements) {
        platform::msgBox(announcement);
    }
}

// Rows keep their cells by position when the count changes, and only empty number cells are
// numbered: rows moved under their coarse channels keep the channel they hold. Rows beyond a
// lower count go as a delete would take them, so no 16-bit pair is left half; what that empties
// among the rows kept is returned to be announced.
QStringList Form2::layOutGrid() {
    platform::Grid& grid = *MSFlexGrid1;
    const int count = std::max<int>(Public().ChannelCount, 0);
    grid.setCols(ChannelColumnCount);
    QStringList announcements;
    if (grid.Rows() - 1 > count) {
        ChannelRows kept = gridRows(grid.Rows() - 1);
        announcements = DropRowsBeyondCount(kept, static_cast<std::size_t>(count));
        writeRowsToGrid(kept);
    }
    grid.setRows(count + 1);

    // Centred columns; a left-aligned column keeps its header centred.
    grid.setRow(0);
    for (int col = 0; col < ChannelColumnCount; ++col) {
        const bool left = ChannelGridColumns[col].cellAlignment & Qt::AlignLeft;
        grid.setColAlignment(col, left ? platform::Alignment::Left : platform::Alignment::Center);
        if (left) {
            grid.setCol(col);
            grid.setCellAlignment(platform::Alignment::Center);
        }
    }

    for (int col = 0; col < ChannelColumnCount; ++col) {
        grid.setTextMatrix(0, col, ChannelGridColumns[col].header.toString());
        grid.setColWidth(col, ChannelGridColumns[col].widthTwips);
    }
    grid.setRowHeight(-1, ChannelGridRowHeightTwips);
    numberEmptyRows(count);
    return announcements;
}

// Only the number cells take part, so only they are read, and only the empty ones written.
void Form2::numberEmptyRows(int count) {
    const int numberColumn = ColumnIndex(ChannelColumn::ChannelNumber);
    ChannelRows numbers(static_cast<size_t>(count));
    for (int row = 1; row <= count; ++row) {
        numbers[static_cast<size_t>(row - 1)][ChannelColumn::ChannelNumber] =
            MSFlexGrid1->TextMatrix(row, numberColumn);
    }
    const ChannelRows before = numbers;
    NumberEmptyChannelCells(numbers);
    for (int row = 1; row <= count; ++row) {
        const QString& number = numbers[static_cast<size_t>(row - 1)][ChannelColumn::ChannelNumber];
        if (number != before[static_cast<size_t>(row - 1)][ChannelColumn::ChannelNumber]) {
            MSFlexGrid1->setTextMatrix(row, numberColumn, number);
        }
    }
}

void Form2::MSFlexGrid1_Click() {
    const int row = MSFlexGrid1->Row();
    if (row == 0) {
        return;
    }
    Tag = QString::number(row);
    platform::window<Form2_3>().Show();
}

void Form2::Command1_Click() {
    SetVisible(false);
    platform::window<basicinfo::Form1>().Show();
}

void Form2::Command2_Click() {
    ChannelRows rows = rowsFromGrid();
    if (!AllChannelsNamed(rows)) {
        platform::msgBox(UnnamedChannelMessage);
        return;
    }
    const std::vector<KeyConflict> conflicts = CFShuXingJian(rows);
    for (const KeyConflict& conflict : conflicts) {
        platform::msgBox(conflict.message, platform::MsgButtons::OkOnly,
                         platform::MsgIcon::Exclamation);
    }
    if (!conflicts.empty()) {
        return;
    }
    GroupFinePartRows(rows);
    writeRowsToGrid(rows);
    SetVisible(false);
    platform::window<shell::Form3>().Show();
}

void Form2::Command3_Click() {
    platform::window<quicksetup::Form2_1>().Show();
}

// A page the user has left for the basic information or the advanced page stays hidden: showing
// it would lay the grid out for a channel count that may be half typed on the basic information
// page, dropping the rows beyond it.
void Form2::comeBackFromDialog() {
    if (Visible()) {
        Show();
    }
}

void Form2::Form_QueryUnload(bool& cancel, platform::UnloadMode mode) {
    if (mode == platform::UnloadMode::CloseBox && !common::ConfirmExit()) {
        cancel = true;
    }
}

void Form2::Form_MouseMove(int, int, float, float) {
    common::putToRest({Command1, Command2, Command3});
    Label4->setForeColor(common::colors::LinkRest);
}

ChannelRows Form2::rowsFromGrid() const {
    return gridRows(std::min<int>(Public().ChannelCount, MSFlexGrid1->Rows() - 1));
}

ChannelRows Form2::gridRows(int last) const {
    ChannelRows rows;
    for (int r = 1; r <= last; ++r) {
        ChannelRow row;
        for (int c = 0; c < ChannelColumnCount; ++c) {
            row.cells[c] = MSFlexGrid1->TextMatrix(r, c);
        }
        rows.push_back(row);
    }
    return rows;
}

void Form2::resizeGrid(int channelCount) {
    MSFlexGrid1->setRows(channelCount + 1);
}

void Form2::clearGrid() {
    MSFlexGrid1->Clear();
}

void Form2::writeRowsToGrid(const ChannelRows& rows) {
    const int last = std::min<int>(static_cast<int>(rows.size()), MSFlexGrid1->Rows() - 1);
    MSFlexGrid1->setRedraw(false);
    for (int r = 1; r <= last; ++r) {
        for (int c = 0; c < ChannelColumnCount; ++c) {
            MSFlexGrid1->setTextMatrix(r, c, rows[r - 1].cells[c]);
        }
    }
    MSFlexGrid1->setRedraw(true);
}

} // namespace channels
