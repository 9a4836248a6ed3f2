#pragma once

#include "platform/Controls.h"
#include "platform/Form.h"

#include <QStringList>

namespace macros {

// The new-macro dialog: the new macro's name and the channels it drives. Once its checks pass
// it hides itself and stays loaded, since the step editor reads both from it as it loads.
class Form3_3_1 : public platform::Form {
public:
    static constexpr const char* Name = "Form3_3_1";
    Form3_3_1();

    void Form_Activate() override;
    void Form_QueryUnload(bool& cancel, platform::UnloadMode mode) override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void Text1_Change();
    void Command1_Click();
    void Command2_Click();

    QString macroName() const;
    // The chosen channels' numbers in list order, which is the channel grid's row order.
    QStringList chosenChannelNumbers() const;

    platform::Label* Label3; // the band
    platform::Label* Label2;
    platform::Label* Label4;
    platform::TextBox* Text1;
    platform::Label* Label5;
    platform::ListBox* List1;
    platform::CommandButton* Command1;
    platform::CommandButton* Command2;
    platform::Label* Label1;

private:
    void wireRules();
    void restControls();
};

} // namespace macros
