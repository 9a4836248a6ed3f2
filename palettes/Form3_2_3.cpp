#include "palettes/Form3_2_3.h"

#include "common/Colors.h"
#include "common/Hover.h"
#include "common/Public.h"
#include "palettes/Form3_2.h"
#include "palettes/Form3_2_1.h"
#include "palettes/GroupSetup.h"
#include "platform/Desktop.h"
#include "platform/Layout.h"

namespace palettes {

using common::Public;
namespace colors = common::colors;

Form3_2_3::Form3_2_3() : Form(QString::fromLatin1(Name)) {
    startUpPosition = platform::StartUpPosition::CenterOwner;
    setClientSize(4200, 3900);
    setAutoFillBackground(true);
    // clang-format off
    platform::layOut(*this, {
        {Label1,     "Label1",       {0, 0, 4200, 600},       {.back = colors::Band}},
        {Label2,     "Label2",       {240, 720, 3720, 300},   {.caption = "正在编辑"}},
        {Frame1,     "Frame1",       {240, 1140, 3720, 1680}, {.caption = "素材组类型"}},
        {Option1[0], {"Option1", 0}, {240, 330, 3000, 360},   {.in = "Frame1", .caption = "与位置有关", .value = true}},
        {Option1[1], {"Option1", 1}, {240, 750, 3000, 360},   {.in = "Frame1", .caption = "与颜色有关"}},
        {Option1[2], {"Option1", 2}, {240, 1170, 3000, 360},  {.in = "Frame1", .caption = "与图案有关"}},
        {Command1,   "Command1",     {1440, 3120, 1320, 450}, {.caption = "确定", .back = colors::ButtonRest}},
    });
    // clang-format on
    Command1->Click = [this] { Command1_Click(); };
    common::lightUnderPointer({Command1});
}

void Form3_2_3::Form_Load() {
    setCaption(Public().WindowTitle);
}

void Form3_2_3::Form_Activate() {
    Label2->setCaption(QStringLiteral("正在编辑") + Public().EditingFileLabel);
}

void Form3_2_3::Command1_Click() {
    QString word;
    for (std::size_t i = 0; i < Option1.size(); ++i) {
        if (Option1[i]->Value()) {
            word = TypeWord(GroupTypes[i]);
        }
    }
    if (platform::window<Form3_2>().listsGroup(word)) {
        platform::msgBox(TypeExistsMessage(word));
        return;
    }
    platform::window<Form3_2_1>().takeGroupType(word);
    platform::unload(*this);
}

void Form3_2_3::Form_MouseMove(int, int, float, float) {
    common::putToRest({Command1});
}

} // namespace palettes
