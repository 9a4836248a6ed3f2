#pragma once

#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Grid.h"
#include "ranges/RangeIntervals.h"
#include "ranges/RangeTables.h"

#include <vector>

namespace ranges {

// The range table editor: a channel's table of named DMX value intervals. The grid shows the
// chosen channel's table; every OK works one interval into it and saves the whole table.
class Form3_1 : public platform::Form {
public:
    static constexpr const char* Name = "Form3_1";
    Form3_1();

    enum class EditMode { Browse, Add, Clear };

    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(bool& cancel, platform::UnloadMode mode) override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void List1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void HScroll1_Change();
    void HScroll2_Change();
    void Text1_Change();
    void Text1_GotFocus();
    void Text2_Validate(bool& cancel);
    void Text3_Validate(bool& cancel);
    void Text4_Change();

    platform::Label* Label3; // the dark band
    platform::Label* Label1; // the link on it
    platform::Label* Label2;
    platform::Label* Label11;
    platform::Label* Label4;
    platform::Label* Label9;
    platform::ListBox* List1;
    platform::Grid* MSFlexGrid1;
    platform::CommandButton* Command1;
    platform::CommandButton* Command2;
    platform::CommandButton* Command4;
    platform::Label* Label12;
    platform::Label* Label8;
    platform::Line* Line1;
    platform::Label* Label7;
    platform::TextBox* Text1;
    platform::Label* Label10;
    platform::TextBox* Text4;
    platform::Label* Label5;
    platform::TextBox* Text2;
    platform::HScrollBar* HScroll1;
    platform::Label* Label6;
    platform::TextBox* Text3;
    platform::HScrollBar* HScroll2;
    platform::CommandButton* Command5;
    platform::CommandButton* Command6;

private:
    void wireRules();
    void wireHover();
    void setUpGrid();
    void showGrid();
    // Add and clear mode open the editing panel with the bounds proposed; browse closes it.
    void enterMode(EditMode mode, IntervalBounds bounds);
    void backToBrowse();
    void enablePanel(bool enabled);
    // Refuses the box's text with the check's message, or moves the bar to its value.
    bool takeBound(platform::TextBox* box, platform::HScrollBar* bar, const BoundCheck& check);

    EditMode m_mode = EditMode::Browse;
    RangeGrid m_grid;
    std::vector<RangeChannel> m_channels; // one per List1 item, in list order
};

} // namespace ranges
