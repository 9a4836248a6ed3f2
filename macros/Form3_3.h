#pragma once

#include "platform/Controls.h"
#include "platform/Form.h"

#include <QStringList>

namespace macros {

// The macro list: the stored macros by name in store order, so that item k is the store's
// column k, with the ways to add, edit and delete them. Its Tag tells the step editor how it was
// opened ("New" or "Edit").
class Form3_3 : public platform::Form {
public:
    static constexpr const char* Name = "Form3_3";
    Form3_3();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(bool& cancel, platform::UnloadMode mode) override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void List1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    // Empties the list; the store is left alone.
    void clearList();
    // The name of a macro just appended to the store.
    void addToList(const QString& name);
    QStringList listedNames() const;

    platform::Label* Label3; // the band
    platform::Label* Label2;
    platform::Label* Label4;
    platform::ListBox* List1;
    platform::CommandButton* Command1;
    platform::CommandButton* Command2;
    platform::CommandButton* Command3;
    platform::CommandButton* Command4;
    platform::Label* Label1;

private:
    void wireRules();
    void listMacros();
    void enableEditAndDelete(bool enabled);
    void restButtons();
};

} // namespace macros
