#include "channels/Form2_3.h"

#include "channels/ChannelTable.h"
#include "channels/Form2.h"
#include "channels/Form2_2.h"
#include "channels/Vocabulary.h"
#include "common/Colors.h"
#include "common/Hover.h"
#include "common/Module1.h"
#include "common/Public.h"
#include "platform/Desktop.h"
#include "platform/Layout.h"

#include <initializer_list>

namespace channels {

using common::Public;
using platform::CommandButton;
using platform::MsgButtons;
using platform::MsgResult;
using platform::TextBox;
using enum ChannelColumn;

namespace {} // namespace

Form2_3::Form2_3() : Form(QString::fromLatin1(Name)) {
    startUpPosition = platform::StartUpPosition::CenterOwner;
    setClientSize(5520, 8100);
    setAutoFillBackground(true);

    const QColor rest = common::colors::ButtonRest;
    const QString levelTip = QStringLiteral("范围 0-255，-1表示不起作用");
    // clang-format off
    platform::layOut(*this, {
        {Label16,    "Label16",      {0, 0, 5520, 600},       {.caption = "通道设置", .back = common::colors::Band, .fore = common::colors::LinkRest, .align = platform::Alignment::Center}},
        {Label1,     "Label1",       {240, 720, 5040, 300},   {.caption = "正在编辑："}},
        {Label3,     "Label3",       {480, 1230, 1920, 300},  {.caption = "通道名称："}},
        {Text1,      "Text1",        {2520, 1200, 2040, 330}, {.toolTip = "点击右侧键可快速选择通道名称", .maxLength = 12}},
        {Command4,   "Command4",     {4620, 1200, 420, 330},  {.caption = "..."}},
        {Label4,     "Label4",       {480, 1710, 1920, 300},  {.caption = "通道类型："}},
        {Combo1,     "Combo1",       {2520, 1680, 2520, 330}, {.items = ItemTexts(ChannelTypeTable, &ChannelTypeItem::itemText)}},
        {Label11,    "Label11",      {480, 2400, 4560, 300},  {.caption = "这是16bit通道的低8位部分", .fore = QColor(255, 0, 0)}},
        {Label12,    "Label12",      {480, 3000, 1920, 300},  {.caption = "属于此通道的一部分"}},
        {Combo5,     "Combo5",       {2520, 3000, 2520, 330}},
        {Label5,     "Label5",       {480, 3030, 1920, 300},  {.caption = "属性键："}},
        {Combo2,     "Combo2",       {2520, 3000, 2520, 330}, {.items = ItemTexts(AttributeKeyTable)}},
        {Label6,     "Label6",       {480, 3480, 1920, 300},  {.caption = "控制轮："}},
        {Combo3,     "Combo3",       {2520, 3450, 2520, 330}, {.items = ItemTexts(ControlWheelTable, &ControlWheelItem::itemText)}},
        {Label10,    "Label10",      {480, 3930, 1920, 300},  {.caption = "属性类型："}},
        {Combo4,     "Combo4",       {2520, 3900, 2520, 330}, {.items = ItemTexts(AttributeTypeTable, &AttributeTypeItem::itemText)}},
        {Label7,     "Label7",       {480, 4380, 1920, 300},  {.caption = "通道曲线："}},
        {Text2,      "Text2",        {2520, 4350, 1200, 330}, {.caption = "1", .toolTip = "仅用于HTP通道，通常都为 1", .maxLength = 1}},
        {Label8,     "Label8",       {480, 4830, 1920, 300},  {.caption = "输出 %："}},
        {Text3,      "Text3",        {2520, 4800, 1200, 330}, {.caption = "100", .toolTip = "输出%(0..100%);100代表最大输出,0代表没有输出", .maxLength = 3}},
        {Label9,     "Label9",       {480, 5280, 1920, 300},  {.caption = "通道控制："}},
        {Option1[0], {"Option1", 0}, {2520, 5250, 1200, 330}, {.caption = "正常", .value = true}},
        {Option1[1], {"Option1", 1}, {3780, 5250, 1200, 330}, {.caption = "反向"}},
        {Label13,    "Label13",      {480, 5730, 1920, 300},  {.caption = "定位："}},
        {Text4,      "Text4",        {2520, 5700, 1200, 330}, {.caption = "0", .toolTip = levelTip, .maxLength = 3}},
        {Label14,    "Label14",      {480, 6180, 1920, 300},  {.caption = "高亮度："}},
        {Text5,      "Text5",        {2520, 6150, 1200, 330}, {.caption = "-1", .toolTip = levelTip, .maxLength = 3}},
        {Label15,    "Label15",      {480, 6630, 1920, 300},  {.caption = "低亮度："}},
        {Text6,      "Text6",        {2520, 6600, 1200, 330}, {.caption = "-1", .toolTip = levelTip, .maxLength = 3}},
        {Command1,   "Command1",     {480, 7300, 1320, 450},  {.caption = "确定", .back = rest}},
        {Command2,   "Command2",     {2100, 7300, 1320, 450}, {.caption = "取消", .back = rest}},
        {Command3,   "Command3",     {3720, 7300, 1320, 450}, {.caption = "删除", .back = rest}},
    });
    // clang-format on
    Timer1 = new platform::Timer(this, "Timer1");
    Timer1->setInterval(600);
    wireRules();
}

void Form2_3::wireRules() {
    Combo1->Click = [this] { Combo1_Click(); };
    Combo2->Click = [this] { Combo2_Click(); };
    Combo3->Click = [this] { Combo3_Click(); };
    Combo4->Click = [this] { Combo4_Click(); };
    Combo5->Click = [this] { Combo5_Click(); };
    for (int i = 0; i < 2; ++i) {
        Option1[i]->Click = [this, i] { Option1_Click(i); };
    }
    Text1->Change = [this] { Text1_Change(); };
    Text2->Change = [this] { Text2_Change(); };
    Text3->Change = [this] { Text3_Change(); };
    Text4->Change = [this] { Text4_Change(); };
    Text5->Change = [this] { Text5_Change(); };
    Text6->Change = [this] { Text6_Change(); };
    Text1->KeyDown = [this](int&, int) { Text1_KeyDown(); };
    Text2->KeyDown = [this](int&, int) { Text2_KeyDown(); };
    Text3->KeyDown = [this](int&, int) { Text3_KeyDown(); };
    Text4->KeyDown = [this](int&, int) { Text4_KeyDown(); };
    Text5->KeyDown = [this](int&, int) { Text5_KeyDown(); };
    Text6->KeyDown = [this](int&, int) { Text6_KeyDown(); };
    Text4->Validate = [this](bool& cancel) { Text4_Validate(cancel); };
    Text5->Validate = [this](bool& cancel) { Text5_Validate(cancel); };
    Text6->Validate = [this](bool& cancel) { Text6_Validate(cancel); };
    common::lightUnderPointer(Option1);
    common::lightUnderPointer(textBoxes());
    Timer1->Tick = [this] { Timer1_Timer(); };
    Command1->Click = [this] { Command1_Click(); };
    Command2->Click = [this] { Command2_Click(); };
    Command3->Click = [this] { Command3_Click(); };
    Command4->Click = [this] { Command4_Click(); };
    common::lightUnderPointer({Command1, Command2, Command3});
}

std::array<TextBox*, 6> Form2_3::textBoxes() const {
    return {Text1, Text2, Text3, Text4, Text5, Text6};
}

ChannelRows Form2_3::gridRows() const {
    return platform::window<Form2>().rowsFromGrid();
}

void Form2_3::writeGrid(const ChannelRows& rows) {
    platform::window<Form2>().writeRowsToGrid(rows);
}

ChannelFields Form2_3::fields() const {
    ChannelFields f;
    f.name = Text1->Text();
    f.channelType = Combo1->ListIndex();
    f.attributeKey = Combo2->ListIndex();
    f.controlWheel = Combo3->ListIndex();
    f.curve = Text2->Text();
    f.outputPercent = Text3->Text();
    f.inverted = !Option1[0]->Value();
    f.attributeType = Combo4->ListIndex();
    f.locateLevel = Text4->Text();
    f.highLevel = Text5->Text();
    f.lowLevel = Text6->Text();
    f.coarseChannelItem = Combo5->Text();
    return f;
}

void Form2_3::takeStandardChannel(int picked) {
    QString name;
    if (IsChoiceOf(StandardChannelNameTable, picked)) {
        // Each write runs this dialog's rule for that field; the table's values are written
        // after those rules, so they are what stays.
        const StandardChannelName& entry = StandardChannelNameTable[picked];
        Combo1->setListIndex(entry.channelType);
        if (entry.attributeKey >= 0) {
            Combo2->setListIndex(entry.attributeKey);
            Combo4->setListIndex(entry.attributeType);
            Combo3->setListIndex(entry.controlWheel);
            Text4->setText(entry.levels.locate.toString());
            Text5->setText(entry.levels.high.toString());
            Text6->setText(entry.levels.low.toString());
        }
        name = entry.name.toString();
    }
    Text1->setText(name);
    Tag = QStringLiteral("1");
    Command1->setEnabled(true);
}

void Form2_3::Form_Load() {
    setCaption(Public().WindowTitle);
    FieldsFilled = true;
    Tag = QStringLiteral("0");

    Timer1->setEnabled(false);
    Label11->setVisible(false);
    Label12->setVisible(false);
    Combo5->setVisible(false);
    OldCoarseChannel = 0;

    Form2& page = platform::window<Form2>();
    const ChannelRows rows = page.rowsFromGrid();
    EditRow = IntOrZero(ParseWholeNumber(page.Tag));
    // A row the grid no longer has reads as an empty one.
    const ChannelRow row =
        EditRow >= 1 && EditRow <= static_cast<int>(rows.size()) ? rows[EditRow - 1] : ChannelRow{};
    EditChannel = IntOrZero(ParseWholeNumber(row[ChannelNumber]));
    Label16->setCaption(QStringLiteral("#") + QString::number(EditChannel) +
                        QStringLiteral(" 通道设置"));
    if (row[ChannelTypeName] == FinePartWord) {
        OldCoarseChannel = IntOrZero(NamedCoarseChannel(row[AttributeName]));
    }

    // Each field set below runs that field's own rule, as the user's choice would.
    Text1->setText(row[ChannelName]);
    Command1->setEnabled(!Text1->Text().isEmpty());
    Command3->setEnabled(!Text1->Text().isEmpty());
    Combo1->setListIndex(ChannelTypeIndexOf(row));
    if (!row[AttributeKey].isEmpty() && row[AttributeKey] != FinePartMark) {
        Combo2->setListIndex(AttributeKeyIndexOf(row[AttributeKey]));
    }
    Combo3->setListIndex(ControlWheelIndexOf(row[ControlWheel]));
    Text2->setText(row[Curve].isEmpty() ? QStringLiteral("1") : row[Curve]);
    Text3->setText(row[OutputPercent].isEmpty() || row[OutputPercent] == FinePartMark
                       ? QStringLiteral("100")
                       : row[OutputPercent]);
    Option1[row[Invert].isEmpty() || row[Invert] == u"N" ? 0 : 1]->setValue(true);
    if (!row[AttributeTypeLetter].isEmpty()) {
        Combo4->setListIndex(AttributeTypeIndexOf(row[AttributeTypeLetter]));
    }
    Text4->setText(row[LocateLevel].isEmpty() ? QStringLiteral("0") : row[LocateLevel]);
    Text5->setText(row[HighLevel].isEmpty() ? QStringLiteral("-1") : row[HighLevel]);
    Text6->setText(row[LowLevel].isEmpty() ? QStringLiteral("-1") : row[LowLevel]);
    Tag = QStringLiteral("0");
}

void Form2_3::Form_Activate() {
    Label1->setCaption(QStringLiteral("正在编辑：") + Public().EditingFileLabel);
}

void Form2_3::showAttributeFields(bool attributeMode) {
    for (platform::Control* c : std::initializer_list<platform::Control*>{
             Combo2, Combo3, Combo4, Text2, Text3, Label5, Label6, Label7, Label8, Label9, Label10,
             Option1[0], Option1[1], Label13, Label14, Label15, Text4, Text5, Text6}) {
        c->widget()->setVisible(attributeMode);
    }
}

void Form2_3::Combo1_Click() {
    if (Combo1->ListIndex() != PartTypeIndex) {
        Timer1->setEnabled(false);
        Label11->setVisible(false);
        showAttributeFields(true);
        Label12->setVisible(false);
        Combo5->setVisible(false);
    } else {
        Timer1->setEnabled(true);
        Label11->setVisible(true);
        showAttributeFields(false);
        // Choosing Part again lists the channels afresh rather than after the old items.
        Combo5->Clear();
        const CoarseChoices choices = CoarseChannelChoices(gridRows(), edited());
        PartCoarseChannel = choices.partCoarseChannel;
        for (const QString& item : choices.items) {
            Combo5->AddItem(item);
        }
        if (choices.selected >= 0) {
            Combo5->setListIndex(choices.selected);
        }
        Combo5->setVisible(true);
        Label12->setVisible(true);
    }
    Tag = QStringLiteral("1");
    TianXieJianCha();
}

void Form2_3::Combo2_Click() {
    if (const std::optional<LevelTexts> preset = KeyLevelPreset(Combo2->ListIndex())) {
        Text4->setText(preset->locate.toString());
        Text5->setText(preset->high.toString());
        Text6->setText(preset->low.toString());
    }
    Tag = QStringLiteral("1");
    TianXieJianCha();
}

void Form2_3::Combo3_Click() {
    Tag = QStringLiteral("1");
    TianXieJianCha();
}

void Form2_3::Combo4_Click() {
    const ChannelRows rows = gridRows();
    const std::optional<std::size_t> stored = FindEditedRow(rows, edited());
    ChannelFields preset = fields();
    ApplyAttributeTypeDefaults(preset, stored ? rows[*stored] : ChannelRow{});
    // One list after the other, each running its own rule; a list already at its position
    // stays quiet.
    Combo1->setListIndex(preset.channelType);
    Combo2->setListIndex(preset.attributeKey);
    Combo3->setListIndex(preset.controlWheel);
    Tag = QStringLiteral("1");
    TianXieJianCha();
}

void Form2_3::Combo5_Click() {
    Tag = QStringLiteral("1");
    TianXieJianCha();
}

void Form2_3::Option1_Click(int) {
    Tag = QStringLiteral("1");
    TianXieJianCha();
}

void Form2_3::Text1_Change() {
    common::DropRefusedLastCharacter(Text1, common::TextCheck::QuoteFreeText);
    TianXieJianCha();
}

void Form2_3::Text2_Change() {
    if (const std::optional<FieldCorrection> correction = CurveRule(Text2->Text())) {
        platform::msgBox(correction->message);
        Text2->setText(correction->text);
    }
    TianXieJianCha();
}

void Form2_3::Text3_Change() {
    if (const std::optional<FieldCorrection> correction = OutputPercentRule(Text3->Text())) {
        platform::msgBox(correction->message);
        Text3->setText(correction->text);
    }
    TianXieJianCha();
}

void Form2_3::ValidateLevel(TextBox* levelBox, bool& cancel) {
    if (IsValidLevelText(levelBox->Text())) {
        return;
    }
    platform::msgBox(LevelRangeMessage);
    cancel = true;
    levelBox->selectWhole();
}

void Form2_3::Timer1_Timer() {
    Label11->setVisible(Label11->isHidden());
}

void Form2_3::TianXieJianCha() {
    FieldsFilled = channels::TianXieJianCha(fields());
    if (FieldsFilled && ChongFuJianCha()) {
        Command1->setEnabled(true);
    }
}

bool Form2_3::ChongFuJianCha() {
    if (!Combo5->Visible()) {
        return true;
    }
    const std::optional<int> coarse = CoarseChannelOfItem(Combo5->Text());
    const int duplicates = coarse ? channels::ChongFuJianCha(gridRows(), edited(), *coarse) : 0;
    for (int i = 0; i < duplicates; ++i) {
        platform::msgBox(DuplicateFinePartMessage);
        Combo5->setListIndex(-1);
        Combo5->SetFocus();
        Command1->setEnabled(false);
    }
    return duplicates == 0;
}

platform::Control* Form2_3::controlOf(DialogField field) const {
    switch (field) {
    case DialogField::Name:
        return Text1;
    case DialogField::ChannelType:
        return Combo1;
    case DialogField::AttributeKey:
        return Combo2;
    case DialogField::ControlWheel:
        return Combo3;
    case DialogField::Curve:
        return Text2;
    case DialogField::OutputPercent:
        return Text3;
    case DialogField::AttributeType:
        return Combo4;
    case DialogField::LocateLevel:
        return Text4;
    case DialogField::HighLevel:
        return Text5;
    case DialogField::LowLevel:
        return Text6;
    case DialogField::CoarseChannel:
        return Combo5;
    }
    return Text1;
}

void Form2_3::backToChannelPage() {
    platform::window<Form2>().comeBackFromDialog();
    platform::unload(*this);
}

void Form2_3::Command1_Click() {
    ChannelRows rows = gridRows();
    const AcceptOutcome outcome = AcceptChannel(rows, edited(), OldCoarseChannel, fields());
    if (outcome.result == AcceptOutcome::Result::ChannelGone) {
        backToChannelPage();
        return;
    }
    for (const QString& announcement : outcome.announcements) {
        platform::msgBox(announcement);
    }
    // Fine parts released on the way stay released, also when a field is then missing.
    writeGrid(rows);
    if (outcome.result == AcceptOutcome::Result::Refused) {
        platform::msgBox(outcome.refusal);
        controlOf(outcome.refusalFocus)->SetFocus();
        return;
    }
    backToChannelPage();
}

void Form2_3::Command2_Click() {
    if (Tag.toInt() == 1 &&
        platform::msgBox(CancelQuestion, MsgButtons::OkCancel) != MsgResult::Ok) {
        return;
    }
    backToChannelPage();
}

void Form2_3::Command3_Click() {
    ChannelRows rows = gridRows();
    if (FindEditedRow(rows, edited()) &&
        platform::msgBox(DeleteQuestion(EditChannel), MsgButtons::OkCancel) == MsgResult::Ok) {
        const DeleteOutcome outcome = DeleteChannel(rows, edited());
        for (const QString& announcement : outcome.announcements) {
            platform::msgBox(announcement);
        }
        writeGrid(rows);
    }
    backToChannelPage();
}

void Form2_3::Command4_Click() {
    platform::window<Form2_2>().ShowModal();
}

void Form2_3::Form_MouseMove(int, int, float, float) {
    common::putToRest({Command1, Command2, Command3});
    common::putToRest(textBoxes());
    common::putToRest(Option1);
}

} // namespace channels
