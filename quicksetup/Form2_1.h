#pragma once

#include "platform/Controls.h"
#include "platform/Form.h"
#include "quicksetup/QuickSetup.h"

#include <array>
#include <vector>

namespace quicksetup {

// The quick channel setup: one box per standard attribute for the channel that carries it. OK
// writes the default row of every filled box into the channel table page's grid.
class Form2_1 : public platform::Form {
public:
    static constexpr const char* Name = "Form2_1";
    Form2_1();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;
    void Form_MouseMove(int button, int shift, float x, float y) override;

    // The rules every box Text1 to Text22 has; Validate is not wired on the two fine boxes.
    void Box_KeyPress(int& KeyAscii);
    void Box_Change(StandardAttribute box);
    void Box_Validate(StandardAttribute box, bool& cancel);
    void Text19_GotFocus();
    void Text20_GotFocus();
    void Option1_Click(int Index);
    void Frame1_MouseMove();
    void Command1_Click();
    void Command2_Click();

    // The colour-mixing warning of the basic information page opens the dialog here.
    void focusColorMix1();

    // The channels that were 16-bit fine parts when the dialog loaded.
    std::vector<qlonglong> LowChannels;
    // The allowed range as loaded: every box's tooltip.
    QString RangePrompt;

    platform::Label* Label23; // the dark band
    platform::Label* Label26; // link to the maker's site
    platform::Label* Label25;
    platform::Label* Label24;
    platform::Frame* Frame1;
    std::array<platform::OptionButton*, 2> Option1;
    // Label1 to Label22 and Text1 to Text22, at the BoxIndex of their attribute.
    std::array<platform::Label*, StandardAttributeCount> Labels{};
    std::array<platform::TextBox*, StandardAttributeCount> Boxes{};
    platform::Line* Line1;
    platform::CommandButton* Command1;
    platform::CommandButton* Command2;

private:
    void layOutBoxes();
    void wireRules();
    void showCaptions(CaptionSet set);
    BoxTexts boxTexts() const;
    platform::TextBox* box(StandardAttribute attribute) const { return Boxes[BoxIndex(attribute)]; }
    void requireCoarseFirst(StandardAttribute fineBox);
};

} // namespace quicksetup
