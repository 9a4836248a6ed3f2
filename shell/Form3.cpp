#include "shell/Form3.h"

#include "basicinfo/Form1.h"
#include "channels/Form2.h"
#include "common/Banner.h"
#include "common/Colors.h"
#include "common/Hover.h"
#include "common/Module1.h"
#include "common/Public.h"
#include "macros/Form3_3.h"
#include "palettes/Form3_2.h"
#include "platform/Desktop.h"
#include "platform/Layout.h"
#include "platform/Services.h"
#include "ranges/Form3_1.h"
#include "shell/ResetAllData.h"
#include "shell/Workflow.h"
#include "writer/K36Format.h"
#include "writer/SaveFixture.h"

#include <functional>

namespace shell {

using common::ConfirmExit;
using common::Public;
namespace colors = common::colors;

using platform::CommandButton;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace {
const QString SettingsSection = QStringLiteral("SaveDir");
const QString SettingsKey = QStringLiteral("Dir");

// The fixture as the basic information page and the channel grid hold it right now.
writer::FixtureSnapshot currentFixture(const QString& fileTitle) {
    writer::FixtureSnapshot fixture;
    fixture.info = platform::window<basicinfo::Form1>().fixtureInfo();
    fixture.channelCount = Public().ChannelCount;
    fixture.rows = platform::window<channels::Form2>().rowsFromGrid();
    fixture.fileTitle = fileTitle;
    const platform::ProgramVersion version = platform::programVersion();
    fixture.versionMajor = version.major;
    fixture.versionMinor = version.minor;
    fixture.versionRevision = version.revision;
    fixture.dateTimeText =
        writer::DateTimeText(platform::desktop().now(), platform::desktop().locale());
    return fixture;
}

void saveFailed(const QString& reason) {
    platform::msgBox(QStringLiteral("文件保存失败：") + reason, MsgButtons::OkOnly,
                     MsgIcon::Exclamation);
}
} // namespace

Form3::Form3() : Form(QString::fromLatin1(Name)) {
    setClientSize(6600, 7800);
    setAutoFillBackground(true);

    const common::Banner banner = common::addBanner(*this, 6600, "Label3", "Label1", "Picture1");
    Label3 = banner.band;
    Label1 = banner.link;
    const StepBox drawn = StepBox::Drawn, working = StepBox::Working;
    // The workflow picture; from "DMX通道编辑" down the boxes work.
    // clang-format off
    platform::layOut(*this, {
        {Label2,    "Label2",    {600, 1020, 3000, 360},   {.caption = "高级功能编辑"}},
        {Label4,    "Label4",    {600, 7200, 5400, 300},   {.caption = "正在编辑："}},
        {Command11, "Command11", {600, 1500, 2400, 450},   workflowBox("开 始", drawn)},
        {Command1,  "Command1",  {600, 2200, 2400, 450},   workflowBox("K36的基本资料编辑", drawn)},
        {Command2,  "Command2",  {600, 2900, 2400, 450},   workflowBox("DMX通道编辑", working)},
        {Command3,  "Command3",  {600, 3600, 2400, 450},   workflowBox("高级功能编辑", working)},
        {Command4,  "Command4",  {1200, 4300, 1800, 450},  workflowBox("范围表编辑", working)},
        {Command5,  "Command5",  {1200, 4900, 1800, 450},  workflowBox("素材表编辑", working)},
        {Command6,  "Command6",  {1200, 5500, 1800, 450},  workflowBox("宏功能编辑", working)},
        {Command7,  "Command7",  {600, 6300, 2400, 450},   workflowBox("保存K36灯库文件", working)},
        {Command8,  "Command8",  {4200, 1500, 1800, 450},  workflowBox("新建", working)},
        {Command10, "Command10", {4200, 2200, 1800, 450},  workflowBox("退出", working)},
        {Line1,     "Line1",     {1800, 1950, 1800, 2200}, workflowLine()},
        {Line2,     "Line2",     {1800, 2650, 1800, 2900}, workflowLine()},
        {Line3,     "Line3",     {1800, 3350, 1800, 3600}, workflowLine()},
        {Line4,     "Line4",     {900, 4050, 900, 6300},   workflowLine()},
        {Line5,     "Line5",     {900, 4525, 1200, 4525},  workflowLine()},
        {Line6,     "Line6",     {900, 5125, 1200, 5125},  workflowLine()},
        {Line7,     "Line7",     {900, 5725, 1200, 5725},  workflowLine()},
        {Line8,     "Line8",     {3000, 1725, 4200, 1725}, workflowLine()},
        {Line9,     "Line9",     {3600, 1725, 3600, 2425}, workflowLine()},
        {Line10,    "Line10",    {3600, 2425, 4200, 2425}, workflowLine()},
        {Line12,    "Line12",    {3000, 6525, 5100, 6525}, workflowLine()},
        {Line13,    "Line13",    {5100, 2650, 5100, 6525}, workflowLine()},
    });
    // clang-format on
    Command3->setBackColor(colors::Hover);
    CommonDialog1 = new platform::CommonDialog(this, QStringLiteral("CommonDialog1"));
    wireRules();
    wireHover();
}

void Form3::wireRules() {
    Command2->Click = [this] { Command2_Click(); };
    Command4->Click = [this] { Command4_Click(); };
    Command5->Click = [this] { Command5_Click(); };
    Command6->Click = [this] { Command6_Click(); };
    Command7->Click = [this] { Command7_Click(); };
    Command8->Click = [this] { Command8_Click(); };
    Command10->Click = [this] { Command10_Click(); };
}

namespace {
// A left press lights what a button leads to; its release puts that back.
void lightWhileLeftPressed(CommandButton* button, const std::function<void(bool)>& light) {
    button->MouseDown = [light](int pressed, int, float, float) {
        if (pressed == platform::LeftButton) {
            light(true);
        }
    };
    button->MouseUp = [light](int released, int, float, float) {
        if (released == platform::LeftButton) {
            light(false);
        }
    };
}
} // namespace

// Hover feedback: the button under the pointer, and the steps it leads to.
void Form3::wireHover() {
    Command2->MouseMove = [this](int, int, float, float) { highlightChannelStep(true); };
    lightWhileLeftPressed(Command2, [this](bool lit) { highlightChannelStep(lit); });
    Command3->MouseMove = [this](int, int, float, float) { highlightTableButtons(true); };
    lightWhileLeftPressed(Command3, [this](bool lit) { highlightTableButtons(lit); });
    for (CommandButton* table : {Command4, Command5, Command6}) {
        table->MouseMove = [this, table](int, int, float, float) {
            table->setBackColor(colors::Hover);
            Command3->setBackColor(colors::ButtonRest);
        };
        lightWhileLeftPressed(table, [table](bool lit) {
            table->setBackColor(lit ? colors::Hover : colors::ButtonRest);
        });
    }
    Command7->MouseMove = [this](int, int, float, float) {
        Command7->setBackColor(colors::Hover);
        Command10->setBackColor(colors::Hover);
        Command3->setBackColor(colors::ButtonRest);
        Line12->setBorderColor(platform::systemWindowText());
        Line13->setBorderColor(platform::systemWindowText());
    };
    Command7->MouseDown = [this](int, int, float, float) {
        Command7->setBackColor(colors::Hover);
        Command3->setBackColor(colors::ButtonRest);
    };
    common::lightUnderPointer({Command8, Command10});
}

void Form3::setEditorCaption(TableEditor editor, int tableCount) {
    CommandButton* button = Command4;
    QString caption = QStringLiteral("范围表编辑");
    if (editor == TableEditor::Palettes) {
        button = Command5;
        caption = QStringLiteral("素材表编辑");
    } else if (editor == TableEditor::Macros) {
        button = Command6;
        caption = QStringLiteral("宏功能编辑");
    }
    if (tableCount > 0) {
        caption += QStringLiteral(" (%1)").arg(tableCount);
    }
    button->setCaption(caption);
}

void Form3::Form_Load() {
    setCaption(Public().WindowTitle);
    Public().ResetInProgress = false;
}

void Form3::Form_Activate() {
    Label4->setCaption(QStringLiteral("正在编辑：") + Public().EditingFileLabel);
}

void Form3::Command2_Click() {
    Hide();
    platform::window<channels::Form2>().SetVisible(true);
}

void Form3::Command4_Click() {
    Hide();
    platform::window<ranges::Form3_1>().Show();
}

void Form3::Command5_Click() {
    Hide();
    platform::window<palettes::Form3_2>().Show();
}

void Form3::Command6_Click() {
    SetVisible(false);
    platform::window<macros::Form3_3>().Show();
}

void Form3::Command7_Click() {
    if (platform::msgBox(QStringLiteral("开始生成K36文件..."), MsgButtons::OkCancel) !=
        MsgResult::Ok) {
        return;
    }
    // Only a written file makes the edits safe; a cancelled or failed save keeps them unsaved.
    if (WriteFixtureFile()) {
        Public().DataChanged = false;
    }
}

bool Form3::WriteFixtureFile() {
    const QString remembered =
        platform::GetSetting(common::SettingsApplication, SettingsSection, SettingsKey);
    CommonDialog1->InitDir = writer::StartingSaveFolder(remembered);
    CommonDialog1->CancelError = true;
    CommonDialog1->Filter = QStringLiteral("K36灯库文件 (*.K36)|*.K36");
    CommonDialog1->FilterIndex = 1;
    CommonDialog1->DefaultExt = QStringLiteral("K36");
    // The dialog asks before replacing a file and before creating one.
    CommonDialog1->Flags =
        platform::CommonDialog::OverwritePrompt | platform::CommonDialog::ExtensionDifferent |
        platform::CommonDialog::FileMustExist | platform::CommonDialog::CreatePrompt;
    if (!CommonDialog1->ShowSave()) {
        return false;
    }
    const QString path = CommonDialog1->FileName;

    // Every line is made before the disk is touched, so a value that cannot be written leaves
    // no trace in the folder.
    const writer::FixtureFile file =
        writer::BuildFixtureFile(currentFixture(CommonDialog1->FileTitle), Public().Stores);
    if (file.failure) {
        saveFailed(file.failure->reason);
        return false;
    }
    if (const std::optional<QString> failure = writer::WriteFileAtomically(path, file.bytes)) {
        saveFailed(*failure);
        return false;
    }
    platform::msgBox(QStringLiteral("文件保存成功！"), MsgButtons::OkOnly, MsgIcon::Information,
                     QStringLiteral("操作提示"));
    platform::SaveSetting(common::SettingsApplication, SettingsSection, SettingsKey,
                          writer::FolderOfFile(path));
    return true;
}

void Form3::Command8_Click() {
    if (platform::msgBox(QStringLiteral("确定放弃已编辑的数据？"), MsgButtons::OkCancel) !=
        MsgResult::Ok) {
        return;
    }
    Public().Stores.emptyStores();
    ResetAllData();
    Public().DataChanged = false;
    Public().ResetInProgress = true;
    Public().EditingFileLabel = QStringLiteral("新建K36文件...");
    platform::window<basicinfo::Form1>().Show();
    platform::unload(*this);
    Public().ResetInProgress = false;
}

void Form3::Command10_Click() {
    ConfirmExit();
}

void Form3::Form_QueryUnload(bool& cancel, platform::UnloadMode) {
    // Only New closes this page without asking; every other way out is the end of the program.
    if (!Public().ResetInProgress && !ConfirmExit()) {
        cancel = true;
    }
}

void Form3::highlightChannelStep(bool on) {
    Command2->setBackColor(on ? colors::Hover : colors::ButtonRest);
    Command3->setBackColor(on ? colors::ButtonRest : colors::Hover);
}

void Form3::highlightTableButtons(bool on) {
    for (CommandButton* table : {Command4, Command5, Command6}) {
        table->setBackColor(on ? colors::Hover : colors::ButtonRest);
    }
}

void Form3::Form_MouseMove(int, int, float, float) {
    for (CommandButton* button :
         {Command2, Command4, Command5, Command6, Command7, Command8, Command10}) {
        button->setBackColor(colors::ButtonRest);
    }
    Command3->setBackColor(colors::Hover);
    Label1->setForeColor(colors::LinkRest);
    Line12->setBorderColor(colors::LineRest);
    Line13->setBorderColor(colors::LineRest);
}

} // namespace shell
