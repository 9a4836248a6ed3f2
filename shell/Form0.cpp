#include "shell/Form0.h"

#include "basicinfo/Form1.h"
#include "common/Banner.h"
#include "common/Colors.h"
#include "common/Module1.h"
#include "common/Public.h"
#include "platform/Desktop.h"
#include "platform/Layout.h"
#include "shell/Form3.h"
#include "shell/ResetAllData.h"
#include "shell/Workflow.h"

namespace shell {

using common::ConfirmExit;
using common::Public;
namespace colors = common::colors;

Form0::Form0() : Form(QString::fromLatin1(Name)) {
    setClientSize(6600, 7200);
    setAutoFillBackground(true);

    const common::Banner banner = common::addBanner(*this, 6600, "Label3", "Label1", "Picture1");
    Label3 = banner.band;
    Label1 = banner.link;

    const StepBox drawn = StepBox::Drawn, working = StepBox::Working;
    // The workflow picture: one column of boxes joined by short lines.
    // clang-format off
    platform::layOut(*this, {
        {Command1,  "Command1",  {600, 1200, 2400, 450},  workflowBox("开 始", working)},
        {Command2,  "Command2",  {600, 2000, 2400, 450},  workflowBox("K36基本资料编辑", drawn)},
        {Command3,  "Command3",  {600, 2800, 2400, 450},  workflowBox("DMX通道编辑", drawn)},
        {Command4,  "Command4",  {600, 3600, 2400, 450},  workflowBox("高级功能编辑", drawn)},
        {Command5,  "Command5",  {1200, 4300, 1800, 450}, workflowBox("范围表", drawn)},
        {Command6,  "Command6",  {1200, 4900, 1800, 450}, workflowBox("素材表", drawn)},
        {Command7,  "Command7",  {1200, 5500, 1800, 450}, workflowBox("宏功能", drawn)},
        {Command8,  "Command8",  {600, 6300, 2400, 450},  workflowBox("生成K36灯库文件", drawn)},
        {Command11, "Command11", {4200, 1200, 1800, 450}, workflowBox("新建", working)},
        {Command13, "Command13", {4200, 2000, 1800, 450}, workflowBox("关闭", working)},
        {Line4,     "Line4",     {1800, 1650, 1800, 2000}, workflowLine()},
        {Line5,     "Line5",     {1800, 2450, 1800, 2800}, workflowLine()},
        {Line6,     "Line6",     {1800, 3250, 1800, 3600}, workflowLine()},
        {Line7,     "Line7",     {900, 4050, 900, 5725},   workflowLine()},
        {Line10,    "Line10",    {900, 4525, 1200, 4525},  workflowLine()},
        {Line11,    "Line11",    {900, 5125, 1200, 5125},  workflowLine()},
        {Line13,    "Line13",    {900, 5725, 1200, 5725},  workflowLine()},
        {Line1,     "Line1",     {3000, 1425, 3600, 1425}, workflowLine()},
        {Line8,     "Line8",     {3600, 1425, 4200, 1425}, workflowLine()},
        {Line2,     "Line2",     {3600, 1425, 3600, 2225}, workflowLine()},
        {Line17,    "Line17",    {3600, 2225, 4200, 2225}, workflowLine()},
        {Line14,    "Line14",    {5100, 2450, 5100, 6525}, workflowLine()},
        {Line15,    "Line15",    {3000, 6525, 5100, 6525}, workflowLine()},
    });
    // clang-format on
    Command1->setBackColor(colors::Hover);

    Command11->Click = [this] { Command11_Click(); };
    Command13->Click = [this] { Command13_Click(); };
    Command1->MouseDown = [this](int button, int, float, float) { Command1_MouseDown(button); };
    Command1->MouseUp = [this](int button, int, float, float) { Command1_MouseUp(button); };
    Command11->MouseMove = [this](int, int, float, float) {
        Command11->setBackColor(colors::Hover);
        Line1->setBorderColor(platform::systemWindowText());
        Line8->setBorderColor(platform::systemWindowText());
    };
    Command13->MouseMove = [this](int, int, float, float) {
        Command13->setBackColor(colors::Hover);
        Line1->setBorderColor(platform::systemWindowText());
        Line2->setBorderColor(platform::systemWindowText());
        Line17->setBorderColor(platform::systemWindowText());
    };
}

void Form0::Form_Activate() {
    // A fixture never outlives a return to the main menu.
    Public().Stores.emptyStores();
    Public().DataChanged = false;
    Public().SkipColorMixCheck = true;
    setCaption(Public().WindowTitle);
}

void Form0::Command11_Click() {
    Public().EditingFileLabel = QStringLiteral("新建K36文件...");
    // Touching the advanced page loads it hidden when it was not loaded.
    Form3& advanced = platform::window<Form3>();
    for (const Form3::TableEditor editor :
         {Form3::TableEditor::Ranges, Form3::TableEditor::Palettes, Form3::TableEditor::Macros}) {
        advanced.setEditorCaption(editor, 0);
    }
    platform::window<basicinfo::Form1>().Show();
    platform::unload(*this);
}

void Form0::returnToMenu() {
    ResetAllData();
    Show();
}

void Form0::Command13_Click() {
    ConfirmExit();
}

void Form0::Form_QueryUnload(bool& cancel, platform::UnloadMode mode) {
    if (mode == platform::UnloadMode::CloseBox && !ConfirmExit()) {
        cancel = true;
    }
}

void Form0::Command1_MouseDown(int button) {
    if (button == platform::LeftButton) {
        Command11->setBackColor(colors::Hover);
        Command13->setBackColor(colors::Hover);
    }
}

void Form0::Command1_MouseUp(int button) {
    if (button == platform::LeftButton) {
        Command11->setBackColor(colors::ButtonRest);
        Command13->setBackColor(colors::ButtonRest);
    }
}

void Form0::Form_MouseMove(int, int, float, float) {
    Command11->setBackColor(colors::ButtonRest);
    Command13->setBackColor(colors::ButtonRest);
    Label1->setForeColor(colors::LinkRest);
    for (platform::Line* line : {Line1, Line2, Line8, Line17}) {
        line->setBorderColor(colors::LineRest);
    }
}

} // namespace shell
