#pragma once

#include "basicinfo/FixtureInfo.h"
#include "platform/Controls.h"
#include "platform/Form.h"

#include <QtGlobal>
#include <array>

namespace basicinfo {

// The basic information page: maker, model, channel count, the DMX start-address limits,
// fixture kind, mirror or head with pan and tilt, and the colour-mixing mode. The fixture's
// basic information lives in these controls for the whole run; other windows read it here.
class Form1 : public platform::Form {
public:
    static constexpr const char* Name = "Form1";
    Form1();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(bool& cancel, platform::UnloadMode mode) override;
    void Form_MouseMove(int button, int shift, float x, float y) override;

    // The basic information as the page's fields hold it now.
    FixtureInfo fixtureInfo() const;
    // Back to a new fixture's defaults, through the fields' own rules as the user's edits would
    // run them: emptying the channel count also empties the address limits and ChannelCount.
    void resetToDefaults();

    void CheckRequiredFields();
    void Command2_Click();
    void Command3_Click();

    // Text3 to Text10 getting the focus.
    void TextBox_GotFocus(platform::TextBox* box);
    void Text3_Change();
    void Text3_LostFocus();
    void Text4_Change();
    void Text5_Change();
    void Text5_LostFocus();
    void Text6_Change();
    void Text6_LostFocus();
    void Text7_Change();
    void Text7_LostFocus();
    void Text8_Change();
    void Text8_LostFocus();
    void Text9_Change();
    void Text10_Change();
    void Option1_Click(int Index);
    void Option2_Click(int Index);

    // The highest start address the channel count leaves: 513 minus the count.
    qint16 MaxStartAddress = 0;
    bool ColorMixChanged = false;
    bool MissingInput = false;
    // The next activation selects "摇头": a fresh page and one that ResetAllData emptied show a
    // new fixture's moving-head type; otherwise the user's choice stays.
    bool ChooseMovingHeadOnActivate = true;

    platform::Label* Label13; // the dark band
    platform::Label* Label15; // link to the maker's site
    platform::Label* Label1;
    platform::Label* Label2;
    platform::Label* Label3;
    platform::Label* Label4;
    platform::Label* Label5;
    platform::TextBox* Text3;
    platform::TextBox* Text4;
    platform::TextBox* Text5;

    platform::Frame* Frame1;
    platform::Label* Label6;
    platform::Label* Label7;
    platform::Label* Label8;
    platform::TextBox* Text6;
    platform::TextBox* Text7;
    platform::TextBox* Text8;

    platform::Frame* Frame2;
    std::array<platform::OptionButton*, 2> Option2;
    platform::Label* Label10;
    platform::ComboBox* Combo1;
    platform::Label* Label11;
    platform::TextBox* Text9;
    platform::Label* Label12;
    platform::TextBox* Text10;

    platform::Frame* Frame3;
    std::array<platform::OptionButton*, 3> Option1;

    platform::CommandButton* Command3; // ">>"
    platform::CommandButton* Command2; // "<<"

private:
    void wireRules();
    void wireHover();
    std::array<platform::TextBox*, 8> textBoxes() const;
    void refuseChannelCount();
    void refuseAddress(platform::TextBox* box);
    void addressChange(platform::TextBox* box);
    void leaveAddressBox(platform::TextBox* box);
    void refuseMaxAddress();
    bool checkNumberRanges();
    void showColorMixWarning();
};

} // namespace basicinfo
