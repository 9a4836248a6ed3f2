#include "palettes/Form3_2.h"

#include "common/Colors.h"
#include "common/Hover.h"
#include "common/Public.h"
#include "palettes/Form3_2_1.h"
#include "palettes/Form3_2_2.h"
#include "palettes/GroupEntries.h"
#include "palettes/GroupSetup.h"
#include "platform/Desktop.h"
#include "platform/Layout.h"
#include "shell/Form3.h"

namespace palettes {

using common::Public;
namespace colors = common::colors;

Form3_2::Form3_2() : Form(QString::fromLatin1(Name)) {
    setClientSize(5400, 6300);
    setAutoFillBackground(true);
    const QColor rest = colors::ButtonRest;
    // clang-format off
    platform::layOut(*this, {
        {Label3,   "Label3",   {0, 0, 5400, 900},      {.back = colors::Band}},
        {Label2,   "Label2",   {360, 1020, 3000, 360}, {.caption = "选择素材组", .fontGrow = 2, .bold = true}},
        {Label1,   "Label1",   {360, 1440, 4680, 300}, {.caption = "正在编辑："}},
        {Label4,   "Label4",   {360, 1920, 3000, 300}, {.caption = "素材组列表："}},
        {List1,    "List1",    {360, 2280, 3000, 3600}, {.toolTip = "点击增加键，添加一个素材组；点击列表中的一个组名，可编辑或删除"}},
        {Command1, "Command1", {3720, 2280, 1320, 450}, {.caption = "增加", .back = rest}},
        {Command2, "Command2", {3720, 2880, 1320, 450}, {.caption = "编辑", .back = rest}},
        {Command3, "Command3", {3720, 3480, 1320, 450}, {.caption = "删除", .back = rest}},
        {Command4, "Command4", {3720, 5430, 1320, 450}, {.caption = "关闭", .back = rest}},
    });
    // clang-format on
    wireRules();
}

void Form3_2::wireRules() {
    List1->Click = [this] { List1_Click(); };
    Command1->Click = [this] { Command1_Click(); };
    Command2->Click = [this] { Command2_Click(); };
    Command3->Click = [this] { Command3_Click(); };
    Command4->Click = [this] { Command4_Click(); };
    common::lightUnderPointer({Command1, Command2, Command3, Command4});
}

void Form3_2::listStore() {
    for (const QString& name : Public().Stores.paletteGroups.names()) {
        if (!name.isEmpty()) {
            List1->AddItem(name);
        }
    }
}

void Form3_2::setAddByCount() {
    Command1->setEnabled(List1->ListCount() < MaxGroups);
}

void Form3_2::disableEditAndDelete() {
    Command2->setEnabled(false);
    Command3->setEnabled(false);
}

void Form3_2::Form_Load() {
    setCaption(Public().WindowTitle);
    listStore();
    disableEditAndDelete();
    setAddByCount();
}

void Form3_2::Form_Activate() {
    Label1->setCaption(QStringLiteral("正在编辑：") + Public().EditingFileLabel);
}

bool Form3_2::listsGroup(const QString& name) const {
    for (int i = 0; i < List1->ListCount(); ++i) {
        if (List1->List(i) == name) {
            return true;
        }
    }
    return false;
}

void Form3_2::groupAppended(const QString& name) {
    List1->AddItem(name);
    setAddByCount();
}

void Form3_2::selectGroup(const QString& name) {
    for (int i = 0; i < List1->ListCount(); ++i) {
        if (List1->List(i) == name) {
            List1->setListIndex(i);
        }
    }
}

void Form3_2::groupRemoved() {
    List1->Clear();
    listStore();
    disableEditAndDelete();
    setAddByCount();
}

void Form3_2::clearList() {
    List1->Clear();
    // The next fixture starts without groups, so it may add them.
    setAddByCount();
}

void Form3_2::List1_Click() {
    if (Public().Stores.paletteGroups.count() > 0) {
        Command2->setEnabled(true);
        Command3->setEnabled(true);
    }
}

void Form3_2::Command1_Click() {
    // A dialog left loaded behind a closed editor starts afresh.
    if (platform::isLoaded<Form3_2_1>()) {
        platform::unload(platform::window<Form3_2_1>());
    }
    Tag = QStringLiteral("New");
    Hide();
    platform::window<Form3_2_1>().Show();
}

void Form3_2::Command2_Click() {
    Tag = QStringLiteral("Edit");
    Hide();
    platform::window<Form3_2_2>().Show();
}

void Form3_2::Command3_Click() {
    const QString name = List1->Text();
    if (platform::msgBox(DeleteGroupQuestion(name), platform::MsgButtons::OkCancel,
                         platform::MsgIcon::None, {}, true) == platform::MsgResult::Ok) {
        Public().Stores.paletteGroups.remove(List1->ListIndex());
        List1->Clear();
        listStore();
    }
    setAddByCount();
    disableEditAndDelete();
}

void Form3_2::Command4_Click() {
    auto& page = platform::window<shell::Form3>();
    page.setEditorCaption(shell::Form3::TableEditor::Palettes,
                          Public().Stores.paletteGroups.count());
    page.Show();
    platform::unload(*this);
}

void Form3_2::Form_QueryUnload(bool&, platform::UnloadMode) {
    if (!Public().ResetInProgress) {
        platform::window<shell::Form3>().Show();
    }
}

void Form3_2::Form_MouseMove(int, int, float, float) {
    common::restButtons({Command1, Command2, Command3, Command4});
}

} // namespace palettes
