#include "channels/Form2.h"

#include "basicinfo/Form1.h"
#include "channels/ChannelSettings.h"
#include "channels/ChannelTable.h"
#include "channels/Form2_3.h"
#include "channels/Vocabulary.h"
#include "platform/Desktop.h"
#include "shell/Banner.h"
#include "shell/Colors.h"
#include "shell/Form3.h"
#include "shell/Module1.h"
#include "shell/Public.h"

#include <algorithm>

namespace channels {

using platform::CommandButton;
using platform::Label;
using shell::Public;

namespace {
const QColor HeaderBack{255, 192, 128};
const QColor GridBackground{224, 224, 224};

CommandButton* pageButton(platform::Form* form, const char* name, const QString& caption,
                          const QString& tip, int left, int top, int width) {
    auto* button = new CommandButton(form, name);
    button->setCaption(caption);
    button->setToolTipText(tip);
    button->Move(left, top, width, 450);
    button->setBackColor(shell::colors::ButtonRest);
    return button;
}
} // namespace

Form2::Form2() : Form(QString::fromLatin1(Name)) {
    setClientSize(11400, 8400);
    setAutoFillBackground(true);

    const shell::Banner banner = shell::addBanner(this, 11400, "Label3", "Label4", "Picture1");
    Label3 = banner.band;
    Label4 = banner.link;

    Label2 = new Label(this, "Label2");
    Label2->Move(360, 1020, 3000, 360);
    Label2->setCaption(QStringLiteral("DMX通道编辑"));
    Label1 = new Label(this, "Label1");
    Label1->Move(5400, 1080, 5640, 300);
    Label1->setCaption(QStringLiteral("正在编辑："));
    Label1->setTextAlignment(platform::AlignRight);

    MSFlexGrid1 = new platform::Grid(this, "MSFlexGrid1");
    MSFlexGrid1->Move(360, 1440, 10680, 5940);
    MSFlexGrid1->setToolTipText(QStringLiteral("点击各通道行，可编辑详细的DMX数据"));
    MSFlexGrid1->setCols(ChannelColumnCount);
    MSFlexGrid1->setFixedRows(1);
    MSFlexGrid1->setFixedCols(0);
    MSFlexGrid1->setBackColorFixed(HeaderBack);
    MSFlexGrid1->setBackColorBkg(GridBackground);
    MSFlexGrid1->tabIndex = 0;

    Command3 = pageButton(this, "Command3", QStringLiteral("快速通道设置"),
                          QStringLiteral("对一些常见通道进行快速的默认设置"), 360, 7680, 2400);
    Command1 = pageButton(this, "Command1", QStringLiteral("<<"), QStringLiteral("上一步"), 8040,
                          7680, 1400);
    Command2 = pageButton(this, "Command2", QStringLiteral(">>"), QStringLiteral("下一步"), 9640,
                          7680, 1400);
    Command2->tabIndex = 1;
    Command1->tabIndex = 2;
    Command3->tabIndex = 3;

    MSFlexGrid1->Click = [this] { MSFlexGrid1_Click(); };
    Command1->Click = [this] { Command1_Click(); };
    Command2->Click = [this] { Command2_Click(); };
    // QUICKSETUP-WIRING: Command3 opens the quick channel setup, modeless, over this page.

    for (CommandButton* button : {Command1, Command2, Command3}) {
        button->MouseMove = [button](int, int, int, int) {
            button->setBackColor(shell::colors::Hover);
        };
    }
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

    for (int col = 0; col < ChannelColumnCount; ++col) {
        grid.setColAlignment(col, platform::AlignCenter);
    }
    grid.setRow(0);
    for (int col = 0; col < ChannelColumnCount; ++col) {
        if (ChannelGridColumns[col].cellAlignment & Qt::AlignLeft) {
            grid.setColAlignment(col, platform::AlignLeft);
            grid.setCol(col);
            grid.setCellAlignment(platform::AlignCenter);
        }
    }

    for (int col = 0; col < ChannelColumnCount; ++col) {
        grid.setTextMatrix(0, col, ChannelGridColumns[col].header.toString());
        grid.setColWidth(col, ChannelGridColumns[col].widthTwips);
    }
    grid.setRowHeight(-1, ChannelGridRowHeightTwips);

    ChannelRows rows = rowsFromGrid();
    NumberEmptyChannelCells(rows);
    for (int row = 1; row <= count; ++row) {
        grid.setTextMatrix(row, ChannelNumber, rows[static_cast<size_t>(row - 1)][ChannelNumber]);
    }
    return announcements;
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

void Form2::Form_QueryUnload(bool& cancel, platform::UnloadMode mode) {
    if (mode == platform::UnloadMode::CloseBox && !shell::ConfirmExit()) {
        cancel = true;
    }
}

void Form2::Form_MouseMove(int, int, int, int) {
    for (CommandButton* button : {Command1, Command2, Command3}) {
        button->setBackColor(shell::colors::ButtonRest);
    }
    Label4->setForeColor(shell::colors::LinkRest);
}

ChannelRows Form2::rowsFromGrid() const {
    return gridRows(std::min<int>(Public().ChannelCount, MSFlexGrid1->Rows() - 1));
}

ChannelRows Form2::gridRows(int last) const {
    ChannelRows rows;
    for (int r = 1; r <= last; ++r) {
        ChannelRow row;
        for (int c = 0; c < ChannelColumnCount; ++c) {
            row[c] = MSFlexGrid1->TextMatrix(r, c);
        }
        rows.push_back(row);
    }
    return rows;
}

void Form2::writeRowsToGrid(const ChannelRows& rows) {
    const int last = std::min<int>(static_cast<int>(rows.size()), MSFlexGrid1->Rows() - 1);
    for (int r = 1; r <= last; ++r) {
        for (int c = 0; c < ChannelColumnCount; ++c) {
            MSFlexGrid1->setTextMatrix(r, c, rows[r - 1][c]);
        }
    }
}

} // namespace channels
