#pragma once

#include "channels/ChannelSettings.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Timer.h"

#include <array>

namespace channels {

// The channel settings dialog: edits the channel of the row clicked on the channel table page.
// It writes the grid only on OK and on delete. Whenever it reads or writes its channel it finds
// it again (FindEditedRow), since the page may have moved or dropped rows while it stood open.
class Form2_3 : public platform::Form {
public:
    static constexpr const char* Name = "Form2_3";
    Form2_3();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_MouseMove(int button, int shift, float x, float y) override;

    void Combo1_Click();
    void Combo2_Click();
    void Combo3_Click();
    void Combo4_Click();
    void Combo5_Click();
    void Option1_Click(int Index);
    void Text1_Change();
    void Text2_Change();
    void Text3_Change();
    void Text4_Change() { TianXieJianCha(); }
    void Text5_Change() { TianXieJianCha(); }
    void Text6_Change() { TianXieJianCha(); }
    // Any key pressed down in a box marks the dialog changed, before the key takes effect.
    void Text1_KeyDown() { Tag = QStringLiteral("1"); }
    void Text2_KeyDown() { Tag = QStringLiteral("1"); }
    void Text3_KeyDown() { Tag = QStringLiteral("1"); }
    void Text4_KeyDown() { Tag = QStringLiteral("1"); }
    void Text5_KeyDown() { Tag = QStringLiteral("1"); }
    void Text6_KeyDown() { Tag = QStringLiteral("1"); }
    void Text4_Validate(bool& cancel) { ValidateLevel(Text4, cancel); }
    void Text5_Validate(bool& cancel) { ValidateLevel(Text5, cancel); }
    void Text6_Validate(bool& cancel) { ValidateLevel(Text6, cancel); }
    void Timer1_Timer();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    void TianXieJianCha();
    bool ChongFuJianCha();

    // What the fields hold now, as the channel rules see them.
    ChannelFields fields() const;
    // The name picker's choice: a position in StandardChannelNameTable, -1 when nothing was
    // picked (the name is then emptied). Each field is set through its own rule.
    void takeStandardChannel(int picked);

    int EditRow = 0;
    int PartCoarseChannel = 0;
    bool FieldsFilled = true;
    int EditChannel = 0;
    int OldCoarseChannel = 0;

    platform::Label* Label16; // title on the dark band
    platform::Label* Label1;
    platform::Label* Label3;
    platform::TextBox* Text1;
    platform::CommandButton* Command4;
    platform::Label* Label4;
    platform::ComboBox* Combo1;
    platform::Label* Label5;
    platform::ComboBox* Combo2;
    platform::Label* Label6;
    platform::ComboBox* Combo3;
    platform::Label* Label10;
    platform::ComboBox* Combo4;
    platform::Label* Label7;
    platform::TextBox* Text2;
    platform::Label* Label8;
    platform::TextBox* Text3;
    platform::Label* Label9;
    std::array<platform::OptionButton*, 2> Option1;
    platform::Label* Label13;
    platform::TextBox* Text4;
    platform::Label* Label14;
    platform::TextBox* Text5;
    platform::Label* Label15;
    platform::TextBox* Text6;
    platform::Label* Label12;
    platform::ComboBox* Combo5;
    platform::Label* Label11;
    platform::CommandButton* Command1;
    platform::CommandButton* Command2;
    platform::CommandButton* Command3;
    platform::Timer* Timer1;

private:
    void wireRules();
    void ValidateLevel(platform::TextBox* levelBox, bool& cancel);
    void showAttributeFields(bool attributeMode);
    void backToChannelPage();
    void writeGrid(const ChannelRows& rows);
    ChannelRows gridRows() const;
    EditedChannel edited() const { return {EditRow, EditChannel}; }
    platform::Control* controlOf(DialogField field) const;
    std::array<platform::TextBox*, 6> textBoxes() const;
};

} // namespace channels
