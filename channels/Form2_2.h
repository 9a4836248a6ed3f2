#pragma once

#include "platform/Controls.h"
#include "platform/Form.h"

namespace channels {

// The channel-name picker, shown modal by the channel settings dialog: one of the standard
// channel names fills the dialog's fields with the values that go with it.
class Form2_2 : public platform::Form {
public:
    static constexpr const char* Name = "Form2_2";
    Form2_2();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void Command1_Click();
    void Command2_Click();

    platform::Label* Label23; // the dark band
    platform::PictureBox* Picture1;
    platform::Label* Label25;
    platform::Label* Label1;
    platform::ListBox* List1;
    platform::CommandButton* Command1;
    platform::CommandButton* Command2;
};

} // namespace channels
