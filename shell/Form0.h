#pragma once

#include "platform/Controls.h"
#include "platform/Form.h"

#include <array>

namespace shell {

// The main menu: New starts a fixture, Close ends the program; the rest is a
// picture of the editing steps.
class Form0 : public platform::Form {
public:
    static constexpr const char* Name = "Form0";
    Form0();

    // Back from the basic information page's "<<": the fixture is dropped (ResetAllData) and
    // the menu shows.
    void returnToMenu();

    void Form_Activate() override;
    void Form_QueryUnload(bool& cancel, platform::UnloadMode mode) override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void Command11_Click();
    void Command13_Click();
    void Command1_MouseDown(int button);
    void Command1_MouseUp(int button);

    platform::CommandButton* Command1;
    platform::CommandButton* Command2;
    platform::CommandButton* Command3;
    platform::CommandButton* Command4;
    platform::CommandButton* Command5;
    platform::CommandButton* Command6;
    platform::CommandButton* Command7;
    platform::CommandButton* Command8;
    platform::CommandButton* Command11;
    platform::CommandButton* Command13;
    platform::Label* Label1;
    platform::Label* Label3;
    platform::Line* Line1;
    platform::Line* Line2;
    platform::Line* Line4;
    platform::Line* Line5;
    platform::Line* Line6;
    platform::Line* Line7;
    platform::Line* Line8;
    platform::Line* Line10;
    platform::Line* Line11;
    platform::Line* Line13;
    platform::Line* Line14;
    platform::Line* Line15;
    platform::Line* Line17;
};

} // namespace shell
