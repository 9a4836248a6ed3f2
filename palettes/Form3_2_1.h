#pragma once

#include "platform/Controls.h"
#include "platform/Form.h"

#include <vector>

namespace palettes {

// The new-group dialog: the group's type (through the type dialog) and its channels. Once Next
// succeeds it stays loaded and hidden, and the group editor reads its choice as it loads.
class Form3_2_1 : public platform::Form {
public:
    static constexpr const char* Name = "Form3_2_1";
    Form3_2_1();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(bool& cancel, platform::UnloadMode mode) override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void List1_Click();

    // What the group editor reads of a new group.
    QString heading() const { return Label2->Caption(); }
    QString typeWord() const { return Label4->Caption(); }
    std::vector<qint32> chosenChannelNumbers() const;
    // The type dialog's accepted choice.
    void takeGroupType(const QString& word);

    platform::Label* Label3; // the band
    platform::Label* Label2;
    platform::Label* Label1;
    platform::CommandButton* Command3;
    platform::Label* Label4;
    platform::Label* Label5;
    platform::ListBox* List1;
    platform::CommandButton* Command1;
    platform::CommandButton* Command2;

private:
    void wireRules();
    bool anyChosen() const { return !chosenChannelNumbers().empty(); }
};

} // namespace palettes
