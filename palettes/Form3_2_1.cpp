#include "palettes/Form3_2_1.h"

#include "channels/ChannelTable.h"
#include "channels/Form2.h"
#include "common/Colors.h"
#include "common/Hover.h"
#include "common/Public.h"
#include "palettes/Form3_2.h"
#include "palettes/Form3_2_2.h"
#include "palettes/Form3_2_3.h"
#include "palettes/GroupSetup.h"
#include "platform/Desktop.h"
#include "platform/Layout.h"

namespace palettes {

using common::Public;
namespace colors = common::colors;

Form3_2_1::Form3_2_1() : Form(QString::fromLatin1(Name)) {
    setClientSize(5400, 6900);
    setAutoFillBackground(true);
    const QColor rest = colors::ButtonRest;
    // clang-format off
    platform::layOut(*this, {
        {Label3,   "Label3",   {0, 0, 5400, 900},       {.back = colors::Band}},
        {Label2,   "Label2",   {360, 1020, 3000, 360},  {.caption = "增加素材组", .fontGrow = 2, .bold = true}},
        {Label1,   "Label1",   {360, 1440, 4680, 300},  {.caption = "正在编辑："}},
        {Command3, "Command3", {360, 1920, 2400, 450},  {.caption = "选择素材组名称", .back = rest}},
        {Label4,   "Label4",   {3000, 2000, 2040, 300}},
        {Label5,   "Label5",   {360, 2640, 4680, 300},  {.caption = "素材组可使用的通道："}},
        {List1,    "List1",    {360, 3000, 4680, 3000}, {.toolTip = "请选择此素材组需要使用到的DMX通道"}},
        {Command1, "Command1", {2160, 6240, 1320, 450}, {.caption = "下一步", .back = rest}},
        {Command2, "Command2", {3720, 6240, 1320, 450}, {.caption = "取消", .back = rest}},
    });
    // clang-format on
    List1->setMultiSelect(platform::ListBox::MultiSelect::Simple);
    wireRules();
}

void Form3_2_1::wireRules() {
    List1->Click = [this] { List1_Click(); };
    Command1->Click = [this] { Command1_Click(); };
    Command2->Click = [this] { Command2_Click(); };
    Command3->Click = [this] { Command3_Click(); };
    common::lightUnderPointer({Command1, Command2, Command3});
    List1->MouseMove = [this](int, int, float, float) { Form_MouseMove(0, 0, 0, 0); };
}

std::vector<qint32> Form3_2_1::chosenChannelNumbers() const {
    std::vector<qint32> numbers;
    for (int i = 0; i < List1->ListCount(); ++i) {
        if (List1->Selected(i)) {
            numbers.push_back(List1->ItemData(i));
        }
    }
    return numbers;
}

void Form3_2_1::takeGroupType(const QString& word) {
    Label4->setCaption(word);
    List1->setEnabled(true);
    Label5->setCaption(word + QStringLiteral("素材组使用通道："));
    if (anyChosen()) {
        Command1->setEnabled(true);
    }
}

void Form3_2_1::Form_Load() {
    setCaption(Public().WindowTitle);
    const auto rows = platform::window<channels::Form2>().rowsFromGrid();
    for (const channels::ChannelChoice& choice :
         channels::ChannelChoices(rows, Public().ChannelCount, channels::FineParts::Omitted)) {
        List1->AddItem(choice.text);
        List1->setItemData(List1->ListCount() - 1, choice.number.value_or(0));
    }
    Command1->setEnabled(false);
    if (Label4->Caption().isEmpty()) {
        List1->setEnabled(false);
    }
}

void Form3_2_1::Form_Activate() {
    Label1->setCaption(QStringLiteral("正在编辑：") + Public().EditingFileLabel);
}

void Form3_2_1::Command3_Click() {
    for (int i = 0; i < List1->ListCount(); ++i) {
        List1->setSelected(i, false);
    }
    Command1->setEnabled(false);
    platform::window<Form3_2_3>().Show();
}

void Form3_2_1::List1_Click() {
    if (Label4->Caption().size() < 2) {
        platform::msgBox(TypeMissingOnClickMessage);
        return;
    }
    Command1->setEnabled(anyChosen());
}

void Form3_2_1::Command1_Click() {
    if (Label4->Caption().isEmpty()) {
        platform::msgBox(TypeMissingOnNextMessage);
        Command3->SetFocus();
        return;
    }
    if (!anyChosen()) {
        platform::msgBox(ChannelsMissingMessage(Label4->Caption()));
        List1->SetFocus();
        return;
    }
    // A type dialog left open could otherwise change the type of the group under edit.
    if (platform::isLoaded<Form3_2_3>()) {
        platform::unload(platform::window<Form3_2_3>());
    }
    Hide();
    platform::window<Form3_2_2>().Show();
}

void Form3_2_1::Command2_Click() {
    platform::unload(*this);
}

void Form3_2_1::Form_QueryUnload(bool&, platform::UnloadMode) {
    platform::window<Form3_2>().Show();
}

void Form3_2_1::Form_MouseMove(int, int, float, float) {
    common::putToRest({Command1, Command2, Command3});
}

} // namespace palettes
