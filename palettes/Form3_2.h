#pragma once

#include "platform/Controls.h"
#include "platform/Form.h"

namespace palettes {

// The palette group list: the groups of the store in store order, so that item k is store
// column k. Add opens the new-group dialog, Edit the group editor on the chosen group.
class Form3_2 : public platform::Form {
public:
    static constexpr const char* Name = "Form3_2";
    Form3_2();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(bool& cancel, platform::UnloadMode mode) override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void List1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    // What the group editor and the dialogs ask of the list.
    bool opensNewGroup() const { return Tag == QStringLiteral("New"); }
    int selectedIndex() const { return List1->ListIndex(); }
    QString selectedGroup() const { return List1->Text(); }
    bool listsGroup(const QString& name) const;
    // A group that entered the store joins the list at its end.
    void groupAppended(const QString& name);
    void selectGroup(const QString& name);
    // A group left the store: the list is made again from the store.
    void groupRemoved();
    // The reset empties the list; the store is not touched.
    void clearList();

    platform::Label* Label3; // the band
    platform::Label* Label1;
    platform::Label* Label2;
    platform::Label* Label4;
    platform::ListBox* List1;
    platform::CommandButton* Command1;
    platform::CommandButton* Command2;
    platform::CommandButton* Command3;
    platform::CommandButton* Command4;

private:
    void wireRules();
    void listStore();
    void setAddByCount();
    void disableEditAndDelete();
};

} // namespace palettes
