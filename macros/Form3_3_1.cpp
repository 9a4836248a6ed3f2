#include "macros/Form3_3_1.h"

#include "channels/ChannelTable.h"
#include "channels/Form2.h"
#include "common/Banner.h"
#include "common/Colors.h"
#include "common/Hover.h"
#include "common/Module1.h"
#include "common/Public.h"
#include "macros/Form3_3.h"
#include "macros/Form3_3_2.h"
#include "macros/NewMacroChecks.h"
#include "platform/Desktop.h"
#include "platform/Layout.h"

namespace macros {

using common::Public;
using platform::CommandButton;
namespace colors = common::colors;

Form3_3_1::Form3_3_1() : Form(QString::fromLatin1(Name)) {
    setClientSize(5400, 6600);
    setAutoFillBackground(true);
    Label3 = common::addBanner(*this, 5400, "Label3", nullptr, "Picture1").band;
    const QColor rest = colors::ButtonRest;
    // clang-format off
    platform::layOut(*this, {
        {Label2,   "Label2",   {600, 1020, 3000, 360},  {.caption = "增加一个宏"}},
        {Label4,   "Label4",   {600, 1560, 900, 300},   {.caption = "宏名称："}},
        {Text1,    "Text1",    {1560, 1500, 2400, 360}, {.toolTip = "最多11个字符", .maxLength = 11}},
        {Label5,   "Label5",   {600, 2040, 3600, 300},  {.caption = "该宏需要使用的DMX通道："}},
        {List1,    "List1",    {600, 2400, 3360, 3120}, {.toolTip = "选择该宏功能需要使用到的DMX通道"}},
        {Command1, "Command1", {4140, 2400, 1020, 420}, {.caption = "下一步", .back = rest}},
        {Command2, "Command2", {4140, 3000, 1020, 420}, {.caption = "取消", .back = rest}},
        {Label1,   "Label1",   {600, 5880, 4200, 300},  {.caption = "正在编辑："}},
    });
    // clang-format on
    List1->setMultiSelect(platform::ListBox::MultiSelect::Simple);
    wireRules();
}

void Form3_3_1::wireRules() {
    Text1->Change = [this] { Text1_Change(); };
    Command1->Click = [this] { Command1_Click(); };
    Command2->Click = [this] { Command2_Click(); };
    common::lightUnderPointer({Command1, Command2});
    common::lightUnderPointer({Text1});
    List1->MouseMove = [this](int, int, float, float) { restControls(); };
    Label3->MouseMove = [this](int, int, float, float) { Text1->setBackColor(colors::TextRest); };
}

// Every showing lists the channels afresh: what was chosen before is gone, the name stays.
void Form3_3_1::Form_Activate() {
    setCaption(Public().WindowTitle);
    Label1->setCaption(QStringLiteral("正在编辑：") + Public().EditingFileLabel);
    List1->Clear();
    const channels::ChannelRows rows = platform::window<channels::Form2>().rowsFromGrid();
    for (const channels::ChannelChoice& choice :
         channels::ChannelChoices(rows, Public().ChannelCount, channels::FineParts::Listed)) {
        List1->AddItem(choice.text);
        List1->setItemData(List1->ListCount() - 1, choice.number.value_or(0));
    }
    Label2->setCaption(QStringLiteral("增加一个宏"));
    Text1->setEnabled(true);
    List1->setEnabled(true);
}

void Form3_3_1::Form_QueryUnload(bool&, platform::UnloadMode) {
    platform::window<Form3_3>().Show();
}

void Form3_3_1::Form_MouseMove(int, int, float, float) {
    restControls();
}

void Form3_3_1::Text1_Change() {
    common::DropRefusedLastCharacter(Text1, common::TextCheck::QuoteFreeText);
}

// Every check runs and moves the focus, so the focus ends at the last one that failed.
void Form3_3_1::Command1_Click() {
    const QString name = Text1->Text();
    const std::vector<NewMacroProblem> problems =
        CheckNewMacro(name, platform::window<Form3_3>().listedNames(),
                      static_cast<int>(chosenChannelNumbers().size()));
    for (const NewMacroProblem& problem : problems) {
        platform::msgBox(problem.message);
        if (problem.field == NewMacroField::Channels) {
            List1->SetFocus();
            continue;
        }
        if (problem.selectName) {
            Text1->selectWhole();
        }
        Text1->SetFocus();
    }
    if (!problems.empty()) {
        return;
    }
    Hide();
    platform::window<Form3_3_2>().Show();
}

void Form3_3_1::Command2_Click() {
    platform::unload(*this);
}

QString Form3_3_1::macroName() const {
    return Text1->Text();
}

QStringList Form3_3_1::chosenChannelNumbers() const {
    QStringList numbers;
    for (int item = 0; item < List1->ListCount(); ++item) {
        if (List1->Selected(item)) {
            numbers << QString::number(List1->ItemData(item));
        }
    }
    return numbers;
}

void Form3_3_1::restControls() {
    common::putToRest({Command1, Command2});
    common::putToRest({Text1});
}

} // namespace macros
