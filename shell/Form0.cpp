#include "shell/Form0.h"

#include "basicinfo/Form1.h"
#include "common/Banner.h"
#include "common/Colors.h"
#include "common/Module1.h"
#include "common/Public.h"
#include "platform/Desktop.h"
#include "shell/Form3.h"
#include "shell/ResetAllData.h"
#include "shell/Workflow.h"

namespace shell {

using common::ConfirmExit;
using common::Public;
namespace colors = common::colors;

using platform::CommandButton;
using platform::Label;

Form0::Form0() : Form(QString::fromLatin1(Name)) {
    setClientSize(6600, 7200);
    setAutoFillBackground(true);

    const common::Banner banner = common::addBanner(this, 6600, "Label3", "Label1", "Picture1");
    Label3 = banner.band;
    Label1 = banner.link;

    // The workflow picture: one column of boxes joined by short lines.
    const int left = 600, width = 2400;
    Command1 = workflowBox(this, "Command1", QStringLiteral("开 始"), left, 1200, width, true);
    Command1->setBackColor(colors::Hover);
    Command2 =
        workflowBox(this, "Command2", QStringLiteral("K36基本资料编辑"), left, 2000, width, false);
    Command3 =
        workflowBox(this, "Command3", QStringLiteral("DMX通道编辑"), left, 2800, width, false);
    Command4 =
        workflowBox(this, "Command4", QStringLiteral("高级功能编辑"), left, 3600, width, false);
    Command5 =
        workflowBox(this, "Command5", QStringLiteral("范围表"), left + 600, 4300, 1800, false);
    Command6 =
        workflowBox(this, "Command6", QStringLiteral("素材表"), left + 600, 4900, 1800, false);
    Command7 =
        workflowBox(this, "Command7", QStringLiteral("宏功能"), left + 600, 5500, 1800, false);
    Command8 =
        workflowBox(this, "Command8", QStringLiteral("生成K36灯库文件"), left, 6300, width, false);
    Command11 = workflowBox(this, "Command11", QStringLiteral("新建"), 4200, 1200, 1800, true);
    Command13 = workflowBox(this, "Command13", QStringLiteral("关闭"), 4200, 2000, 1800, true);

    Line4 = workflowLine(this, "Line4", 1800, 1650, 1800, 2000);
    Line5 = workflowLine(this, "Line5", 1800, 2450, 1800, 2800);
    Line6 = workflowLine(this, "Line6", 1800, 3250, 1800, 3600);
    Line7 = workflowLine(this, "Line7", 900, 4050, 900, 5725);
    Line10 = workflowLine(this, "Line10", 900, 4525, 1200, 4525);
    Line11 = workflowLine(this, "Line11", 900, 5125, 1200, 5125);
    Line13 = workflowLine(this, "Line13", 900, 5725, 1200, 5725);
    Line1 = workflowLine(this, "Line1", 3000, 1425, 3600, 1425);
    Line8 = workflowLine(this, "Line8", 3600, 1425, 4200, 1425);
    Line2 = workflowLine(this, "Line2", 3600, 1425, 3600, 2225);
    Line17 = workflowLine(this, "Line17", 3600, 2225, 4200, 2225);
    Line14 = workflowLine(this, "Line14", 5100, 2450, 5100, 6525);
    Line15 = workflowLine(this, "Line15", 3000, 6525, 5100, 6525);

    Command11->Click = [this] { Command11_Click(); };
    Command13->Click = [this] { Command13_Click(); };
    Command1->MouseDown = [this](int button, int, int, int) { Command1_MouseDown(button); };
    Command1->MouseUp = [this](int button, int, int, int) { Command1_MouseUp(button); };
    Command11->MouseMove = [this](int, int, int, int) {
        Command11->setBackColor(colors::Hover);
        Line1->setBorderColor(platform::systemWindowText());
        Line8->setBorderColor(platform::systemWindowText());
    };
    Command13->MouseMove = [this](int, int, int, int) {
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

void Form0::Form_MouseMove(int, int, int, int) {
    Command11->setBackColor(colors::ButtonRest);
    Command13->setBackColor(colors::ButtonRest);
    Label1->setForeColor(colors::LinkRest);
    for (platform::Line* line : {Line1, Line2, Line8, Line17}) {
        line->setBorderColor(colors::LineRest);
    }
}

} // namespace shell
