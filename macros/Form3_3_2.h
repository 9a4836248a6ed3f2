#pragma once

#include "macros/MacroSteps.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Grid.h"
#include "stores/TextTable.h"

#include <array>
#include <vector>

namespace macros {

// The step editor: composes one macro of data steps (a value for every channel of the macro)
// and delay steps (tenths of a second) with one level scroll bar. The steps are kept in the
// stored table shape; the step grid shows them. Every way of closing shows the macro list.
class Form3_3_2 : public platform::Form {
public:
    static constexpr const char* Name = "Form3_3_2";
    Form3_3_2();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(bool& cancel, platform::UnloadMode mode) override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void Option1_Click(int Index);
    void HScroll1_Change() { ShowLevel(); }
    void HScroll1_Scroll() { ShowLevel(); }
    void Text1_Change();
    void Text1_Click();
    void MSFlexGrid1_Click();
    void MSFlexGrid2_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

    QString CurMacroName;
    int CurChannelCount = 0;

    platform::Label* Label3; // the band
    platform::Label* Label1; // the maker's site
    platform::Label* Label2;
    platform::Label* Label4;
    platform::Grid* MSFlexGrid1;
    platform::CommandButton* Command2;
    platform::CommandButton* Command3;
    platform::Frame* Frame1;
    std::array<platform::OptionButton*, 2> Option1;
    platform::Grid* MSFlexGrid2;
    platform::Label* Label9;
    platform::TextBox* Text1;
    platform::HScrollBar* HScroll1;
    platform::Label* Label6;
    platform::Label* Label7;
    platform::Label* Label8;
    platform::Label* Label5;
    platform::CommandButton* Command1;
    platform::Label* Label10;

private:
    void wireRules();
    void wireHover();
    void BuildStepGrids();
    void headGrid(platform::Grid& grid, const QStringList& headers,
                  const std::vector<int>& leadingWidths);
    void showSteps();
    void ShowLevel();
    void refuseDelay(const QString& message);
    void closeEditing();
    void restControls();

    OpenMode mode = OpenMode::New;
    stores::TextTable steps;
    int chosenColumn = 0; // the value grid's column clicked last
};

} // namespace macros
