#include "macros/Form3_3.h"

#include "common/Banner.h"
#include "common/Colors.h"
#include "common/Public.h"
#include "macros/Form3_3_1.h"
#include "macros/Form3_3_2.h"
#include "macros/NewMacroChecks.h"
#include "platform/Desktop.h"
#include "platform/Layout.h"
#include "shell/Form3.h"

namespace macros {

using common::Public;
using platform::CommandButton;

Form3_3::Form3_3() : Form(QString::fromLatin1(Name)) {
    setClientSize(5400, 6600);
    setAutoFillBackground(true);
    Label3 = common::addBanner(*this, 5400, "Label3", nullptr, "Picture1").band;
    const QColor rest = common::colors::ButtonRest;
    // clang-format off
    platform::layOut(*this, {
        {Label2,   "Label2",   {600, 1020, 3000, 360},  {.caption = "宏功能编辑"}},
        {Label4,   "Label4",   {600, 1500, 2400, 300},  {.caption = "宏功能列表："}},
        {List1,    "List1",    {600, 1860, 2880, 3600}, {.toolTip = "点击增加键，添加一个宏功能；点击列表中的宏名称，可编辑或删除"}},
        {Command1, "Command1", {3720, 1860, 1200, 420}, {.caption = "增加", .back = rest}},
        {Command2, "Command2", {3720, 2460, 1200, 420}, {.caption = "编辑", .back = rest}},
        {Command3, "Command3", {3720, 3060, 1200, 420}, {.caption = "删除", .back = rest}},
        {Command4, "Command4", {3720, 4980, 1200, 420}, {.caption = "关闭", .back = rest}},
        {Label1,   "Label1",   {600, 5880, 4200, 300},  {.caption = "正在编辑："}},
    });
    // clang-format on
    wireRules();
}

void Form3_3::wireRules() {
    List1->Click = [this] { List1_Click(); };
    Command1->Click = [this] { Command1_Click(); };
    Command2->Click = [this] { Command2_Click(); };
    Command3->Click = [this] { Command3_Click(); };
    Command4->Click = [this] { Command4_Click(); };
    for (CommandButton* command : {Command1, Command2, Command3, Command4}) {
        command->MouseMove = [command](int, int, float, float) {
            command->setBackColor(common::colors::Hover);
        };
    }
    Label3->MouseMove = [this](int, int, float, float) { restButtons(); };
    List1->MouseMove = [this](int, int, float, float) { restButtons(); };
}

void Form3_3::Form_Load() {
    setCaption(Public().WindowTitle);
    listMacros();
    enableEditAndDelete(false);
}

void Form3_3::Form_Activate() {
    Label1->setCaption(QStringLiteral("正在编辑：") + Public().EditingFileLabel);
}

void Form3_3::Form_QueryUnload(bool&, platform::UnloadMode) {
    if (!Public().ResetInProgress) {
        platform::window<shell::Form3>().Show();
    }
}

void Form3_3::Form_MouseMove(int, int, float, float) {
    restButtons();
}

void Form3_3::List1_Click() {
    enableEditAndDelete(List1->ListCount() > 0);
}

void Form3_3::Command1_Click() {
    Tag = QStringLiteral("New");
    Hide();
    platform::window<Form3_3_1>().Show();
}

void Form3_3::Command2_Click() {
    Tag = QStringLiteral("Edit");
    stores::AdvancedStores& stores = Public().Stores;
    if (const std::optional<int> column = stores.macros.findMacro(List1->Text())) {
        stores.macros.copyOut(*column, stores::MacroFields::StepTable, stores.macroStepTable);
    }
    Hide();
    platform::window<Form3_3_2>().Show();
}

void Form3_3::Command3_Click() {
    const QString question = DeleteMacroQuestion(List1->Text());
    if (platform::msgBox(question, platform::MsgButtons::OkCancel, platform::MsgIcon::None, {},
                         true) == platform::MsgResult::Ok) {
        Public().Stores.macros.remove(List1->ListIndex());
        List1->Clear();
        listMacros();
    }
    enableEditAndDelete(false);
}

void Form3_3::Command4_Click() {
    auto& page = platform::window<shell::Form3>();
    page.setEditorCaption(shell::Form3::TableEditor::Macros, Public().Stores.macros.count());
    page.Show();
    platform::unload(*this);
}

void Form3_3::clearList() {
    List1->Clear();
}

void Form3_3::addToList(const QString& name) {
    List1->AddItem(name);
}

QStringList Form3_3::listedNames() const {
    QStringList names;
    for (int item = 0; item < List1->ListCount(); ++item) {
        names << List1->List(item);
    }
    return names;
}

void Form3_3::listMacros() {
    for (const QString& name : Public().Stores.macros.names()) {
        List1->AddItem(name);
    }
}

void Form3_3::enableEditAndDelete(bool enabled) {
    Command2->setEnabled(enabled);
    Command3->setEnabled(enabled);
}

void Form3_3::restButtons() {
    for (CommandButton* command : {Command1, Command2, Command3, Command4}) {
        command->setBackColor(common::colors::ButtonRest);
    }
}

} // namespace macros
