#include "channels/Form2_2.h"

#include "channels/Form2_3.h"
#include "channels/Vocabulary.h"
#include "common/Colors.h"
#include "common/Public.h"
#include "platform/Layout.h"

namespace channels {

using common::Public;

Form2_2::Form2_2() : Form(QString::fromLatin1(Name)) {
    startUpPosition = platform::StartUpPosition::CenterOwner;
    setClientSize(4200, 6480);
    setAutoFillBackground(true);

    const QColor rest = common::colors::ButtonRest;
    // clang-format off
    platform::layOut(*this, {
        {Label23,  "Label23",  {0, 0, 4200, 600},        {.back = common::colors::Band}},
        {Picture1, "Picture1", {120, 60, 1000, 480},     {.picture = ":/images/logo.png"}},
        {Label25,  "Label25",  {240, 720, 3720, 330},    {.caption = "快速选择通道名称"}},
        {Label1,   "Label1",   {240, 1080, 3720, 300},   {.caption = "正在编辑："}},
        {List1,    "List1",    {240, 1440, 3720, 4200},  {.toolTip = "点击其中一项，然后点确定",
                                                          .items = ItemTexts(StandardChannelNameTable, &StandardChannelName::listItem)}},
        {Command1, "Command1", {240, 5820, 1680, 450},   {.caption = "确定", .back = rest}},
        {Command2, "Command2", {2280, 5820, 1680, 450},  {.caption = "关闭", .back = rest}},
    });
    // clang-format on

    Command1->Click = [this] { Command1_Click(); };
    Command2->Click = [this] { Command2_Click(); };
    Command1->MouseMove = [this](int, int, float, float) {
        Command1->setBackColor(common::colors::Hover);
    };
}

void Form2_2::Form_Load() {
    setCaption(Public().WindowTitle);
}

void Form2_2::Form_Activate() {
    Label1->setCaption(QStringLiteral("正在编辑：") + Public().EditingFileLabel);
}

void Form2_2::Command1_Click() {
    // Without its settings dialog the picker has nothing to fill.
    if (!platform::isLoaded<Form2_3>()) {
        platform::unload(*this);
        return;
    }
    platform::window<Form2_3>().takeStandardChannel(List1->ListIndex());
    platform::unload(*this);
}

void Form2_2::Command2_Click() {
    platform::unload(*this);
}

void Form2_2::Form_MouseMove(int, int, float, float) {
    Command1->setBackColor(common::colors::ButtonRest);
}

} // namespace channels
