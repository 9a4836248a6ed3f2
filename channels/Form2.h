#pragma once

#include "channels/ChannelRow.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Grid.h"

#include <QStringList>

namespace channels {

// The channel table page: the grid holds the fixture's channels, one row each, for the whole
// run; every other window reads and writes its channels here.
class Form2 : public platform::Form {
public:
    static constexpr const char* Name = "Form2";
    Form2();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(bool& cancel, platform::UnloadMode mode) override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void MSFlexGrid1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

    // The channel table as rows: grid rows 1 to ChannelCount (fewer while the grid is shorter).
    ChannelRows rowsFromGrid() const;
    // Writes rows back from grid row 1 on; rows beyond the grid's last row are left out.
    void writeRowsToGrid(const ChannelRows& rows);
    // The grid holds channelCount rows below its header row; new rows come empty.
    void resizeGrid(int channelCount);
    // Empties every cell; the page renumbers and re-heads the rows on its next activation.
    void clearGrid();
    // A dialog over the page has closed: the page comes to the front again.
    void comeBackFromDialog();

    platform::Grid* MSFlexGrid1;
    platform::CommandButton* Command1;
    platform::CommandButton* Command2;
    platform::CommandButton* Command3;
    platform::Label* Label1;
    platform::Label* Label2;
    platform::Label* Label3;
    platform::Label* Label4;

private:
    QStringList layOutGrid();
    // Numbers the empty channel-number cells of grid rows 1 to count with unused numbers.
    void numberEmptyRows(int count);
    // Grid rows 1 to last.
    ChannelRows gridRows(int last) const;
};

} // namespace channels
