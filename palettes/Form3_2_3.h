#pragma once

#include "platform/Controls.h"
#include "platform/Form.h"

#include <array>

namespace palettes {

// The group-type dialog, shown over the new-group dialog. A type that already has a group is
// refused, so the store holds one group per type at most.
class Form3_2_3 : public platform::Form {
public:
    static constexpr const char* Name = "Form3_2_3";
    Form3_2_3();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void Command1_Click();

    platform::Label* Label1; // the band
    platform::Label* Label2;
    platform::Frame* Frame1;
    std::array<platform::OptionButton*, 3> Option1;
    platform::CommandButton* Command1;
};

} // namespace palettes
