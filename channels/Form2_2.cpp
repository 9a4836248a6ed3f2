#include "channels/Form2_2.h"

#include "channels/Form2_3.h"
#include "channels/Vocabulary.h"
#include "common/Colors.h"
#include "common/Public.h"

namespace channels {

using common::Public;

Form2_2::Form2_2() : Form(QString::fromLatin1(Name)) {
    setClientSize(4200, 6480);
    setAutoFillBackground(true);

    Label23 = new platform::Label(this, "Label23");
    Label23->Move(0, 0, 4200, 600);
    Label23->setBackColor(common::colors::Band);
    Picture1 = new platform::PictureBox(this, "Picture1");
    Picture1->Move(120, 60, 1000, 480);
    Picture1->setPicture(QStringLiteral(":/images/logo.png"));
    Label25 = new platform::Label(this, "Label25");
    Label25->Move(240, 720, 3720, 330);
    Label25->setCaption(QStringLiteral("快速选择通道名称"));
    Label1 = new platform::Label(this, "Label1");
    Label1->Move(240, 1080, 3720, 300);
    Label1->setCaption(QStringLiteral("正在编辑："));

    List1 = new platform::ListBox(this, "List1");
    List1->Move(240, 1440, 3720, 4200);
    List1->setToolTipText(QStringLiteral("点击其中一项，然后点确定"));
    for (const StandardChannelName& entry : StandardChannelNameTable) {
        List1->AddItem(entry.listItem.toString());
    }

    Command1 = new platform::CommandButton(this, "Command1");
    Command1->setCaption(QStringLiteral("确定"));
    Command1->Move(240, 5820, 1680, 450);
    Command1->setBackColor(common::colors::ButtonRest);
    Command2 = new platform::CommandButton(this, "Command2");
    Command2->setCaption(QStringLiteral("关闭"));
    Command2->Move(2280, 5820, 1680, 450);
    Command2->setBackColor(common::colors::ButtonRest);

    Command1->Click = [this] { Command1_Click(); };
    Command2->Click = [this] { Command2_Click(); };
    Command1->MouseMove = [this](int, int, int, int) {
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

void Form2_2::Form_MouseMove(int, int, int, int) {
    Command1->setBackColor(common::colors::ButtonRest);
}

} // namespace channels
