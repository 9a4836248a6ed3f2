#pragma once

#include "platform/Controls.h"
#include "platform/Form.h"

namespace shell {

// The advanced page: the three table editors, back to the channel table, saving the
// fixture file, New and Exit. The rest is a picture of the editing steps.
class Form3 : public platform::Form {
public:
    static constexpr const char* Name = "Form3";
    Form3();

    enum class TableEditor { Ranges, Palettes, Macros };
    // The editor's button shows its plain caption, or while its store holds tables the caption
    // with the number of tables in brackets.
    void setEditorCaption(TableEditor editor, int tableCount);

    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(bool& cancel, platform::UnloadMode mode) override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void Command2_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command10_Click();

    platform::CommandButton* Command1;
    platform::CommandButton* Command2;
    platform::CommandButton* Command3;
    platform::CommandButton* Command4;
    platform::CommandButton* Command5;
    platform::CommandButton* Command6;
    platform::CommandButton* Command7;
    platform::CommandButton* Command8;
    platform::CommandButton* Command10;
    platform::CommandButton* Command11;
    platform::Label* Label1;
    platform::Label* Label2;
    platform::Label* Label3;
    platform::Label* Label4;
    platform::CommonDialog* CommonDialog1;
    platform::Line* Line1;
    platform::Line* Line2;
    platform::Line* Line3;
    platform::Line* Line4;
    platform::Line* Line5;
    platform::Line* Line6;
    platform::Line* Line7;
    platform::Line* Line8;
    platform::Line* Line9;
    platform::Line* Line10;
    platform::Line* Line12;
    platform::Line* Line13;

private:
    void wireRules();
    void wireHover();
    // Saves the fixture through the save dialog; true when the file was written.
    bool WriteFixtureFile();
    void highlightChannelStep(bool on);
    void highlightTableButtons(bool on);
};

} // namespace shell
