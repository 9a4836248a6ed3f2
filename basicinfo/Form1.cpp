#include "basicinfo/Form1.h"

#include "channels/Form2.h"
#include "common/Banner.h"
#include "common/Colors.h"
#include "common/Hover.h"
#include "common/Module1.h"
#include "common/Public.h"
#include "platform/Desktop.h"
#include "platform/Layout.h"
#include "quicksetup/Form2_1.h"
#include "shell/Form0.h"

namespace basicinfo {

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using platform::OptionButton;
using platform::TextBox;
namespace colors = common::colors;

namespace {

constexpr int MaxChannelCount = 512;
constexpr int MovingLightFrameHeight = 2895;
constexpr int ConventionalFrameHeight = 855;

// Focus back to a box whose text may not stand, with the text selected for retyping.
void takeFocusBack(TextBox* box) {
    box->SetFocus();
    box->selectWhole();
}

// Text that reached a number box past the key filter (a middle-button paste, an undo) is cut
// back to what typing could have produced. The rewrite runs the box's rule again on the clean
// text, so the caller's rule must not go on with the old one: true when that happened.
bool trimToNumber(TextBox* box) {
    const QString clean = NumberBoxText(box->Text(), box->MaxLength());
    if (clean == box->Text()) {
        return false;
    }
    box->setText(clean);
    return true;
}

// The same for a name box: text longer than the box takes can only have come past the typing
// limit. Cutting it first also bounds the character-by-character removal of the check that
// follows, which runs once per character and would otherwise nest as deep as the text is long.
bool trimToLength(TextBox* box) {
    if (box->Text().size() <= box->MaxLength()) {
        return false;
    }
    box->setText(box->Text().left(box->MaxLength()));
    return true;
}

} // namespace

Form1::Form1() : Form(QString::fromLatin1(Name)) {
    setClientSize(7200, 7500);
    setAutoFillBackground(true);
    const common::Banner banner = common::addBanner(*this, 7200, "Label13", "Label15");
    Label13 = banner.band;
    Label15 = banner.link;

    const QColor face = platform::systemButtonFace();
    const QColor rest = colors::ButtonRest;
    // Until the first click on a fixture kind, Frame2 keeps its designed height.
    // clang-format off
    platform::layOut(*this, {
        {Label1,     "Label1",       {360, 1020, 4200, 420},  {.caption = "电脑灯基本信息", .fontGrow = 4, .bold = true}},
        {Label2,     "Label2",       {360, 1500, 6480, 300},  {.caption = "正在编辑："}},
        {Label3,     "Label3",       {360, 1980, 1700, 300},  {.caption = "灯厂名称："}},
        {Text3,      "Text3",        {2160, 1950, 4680, 330}, {.toolTip = "最多100个字符", .maxLength = 100}},
        {Label4,     "Label4",       {360, 2430, 1700, 300},  {.caption = "灯具型号："}},
        {Text4,      "Text4",        {2160, 2400, 2400, 330}, {.toolTip = "最多11个字符", .maxLength = 11}},
        {Label5,     "Label5",       {360, 2880, 1700, 300},  {.caption = "通道数："}},
        {Text5,      "Text5",        {2160, 2850, 1200, 330}, {.toolTip = "1-512", .maxLength = 3}},
        {Frame1,     "Frame1",       {360, 3360, 3300, 1800}, {.caption = "DMX的限制特性", .toolTip = "自动计算，可人工修改"}},
        {Label6,     "Label6",       {120, 390, 1860, 300},   {.in = "Frame1", .caption = "最小的DMX地址："}},
        {Text6,      "Text6",        {2040, 360, 1080, 330},  {.in = "Frame1", .toolTip = "1-511", .maxLength = 3}},
        {Label7,     "Label7",       {120, 870, 1860, 300},   {.in = "Frame1", .caption = "最大的DMX地址："}},
        {Text7,      "Text7",        {2040, 840, 1080, 330},  {.in = "Frame1", .toolTip = "1-512", .maxLength = 3}},
        {Label8,     "Label8",       {120, 1350, 1860, 300},  {.in = "Frame1", .caption = "DMX通道数的基数："}},
        {Text8,      "Text8",        {2040, 1320, 1080, 330}, {.in = "Frame1", .maxLength = 3}},
        {Frame2,     "Frame2",       {3840, 3360, 3000, 3015}, {.caption = "灯具类型"}},
        {Option2[0], {"Option2", 0}, {240, 330, 1200, 360},   {.in = "Frame2", .caption = "常规灯", .back = face}},
        {Option2[1], {"Option2", 1}, {1560, 330, 1200, 360},  {.in = "Frame2", .caption = "电脑灯", .value = true, .back = face}},
        {Label10,    "Label10",      {120, 1050, 1500, 300},  {.in = "Frame2", .caption = "电脑灯类型："}},
        {Combo1,     "Combo1",       {1620, 1020, 1260, 330}, {.in = "Frame2", .items = {"镜片", "摇头"}}},
        {Label11,    "Label11",      {120, 1650, 1500, 300},  {.in = "Frame2", .caption = "Pan的最大角度："}},
        {Text9,      "Text9",        {1620, 1620, 1260, 330}, {.in = "Frame2", .toolTip = "数字值", .maxLength = 3}},
        {Label12,    "Label12",      {120, 2250, 1500, 300},  {.in = "Frame2", .caption = "Tilt的最大角度："}},
        {Text10,     "Text10",       {1620, 2220, 1260, 330}, {.in = "Frame2", .toolTip = "数字值", .maxLength = 3}},
        {Frame3,     "Frame3",       {360, 5340, 3300, 855},  {.caption = "彩色混合模式"}},
        {Option1[0], {"Option1", 0}, {240, 360, 900, 360},    {.in = "Frame3", .caption = "无", .value = true, .back = face}},
        {Option1[1], {"Option1", 1}, {1240, 360, 900, 360},   {.in = "Frame3", .caption = "RGB", .back = face}},
        {Option1[2], {"Option1", 2}, {2240, 360, 900, 360},   {.in = "Frame3", .caption = "CMY", .back = face}},
        {Command2,   "Command2",     {3840, 6720, 1400, 450}, {.caption = "<<", .back = rest}},
        {Command3,   "Command3",     {5440, 6720, 1400, 450}, {.caption = ">>", .back = rest}},
    });
    // clang-format on
    platform::setTabOrder({Text3, Text4, Text5, Text9, Text10, Command3, Command2, Text6, Text7,
                           Text8, Option2[0], Option2[1], Combo1, Option1[0], Option1[1],
                           Option1[2]});
    wireRules();
    wireHover();
}

void Form1::wireRules() {
    Text3->Change = [this] { Text3_Change(); };
    Text3->LostFocus = [this] { Text3_LostFocus(); };
    Text4->Change = [this] { Text4_Change(); };
    Text5->Change = [this] { Text5_Change(); };
    Text5->LostFocus = [this] { Text5_LostFocus(); };
    Text6->Change = [this] { Text6_Change(); };
    Text6->LostFocus = [this] { Text6_LostFocus(); };
    Text7->Change = [this] { Text7_Change(); };
    Text7->LostFocus = [this] { Text7_LostFocus(); };
    Text8->Change = [this] { Text8_Change(); };
    Text8->LostFocus = [this] { Text8_LostFocus(); };
    Text9->Change = [this] { Text9_Change(); };
    Text10->Change = [this] { Text10_Change(); };
    for (TextBox* box : {Text5, Text6, Text7, Text8, Text9, Text10}) {
        box->KeyPress = common::DigitKeysOnly;
    }
    for (TextBox* box : textBoxes()) {
        box->GotFocus = [this, box] { TextBox_GotFocus(box); };
    }
    for (int i = 0; i < 3; ++i) {
        Option1[i]->Click = [this, i] { Option1_Click(i); };
    }
    for (int i = 0; i < 2; ++i) {
        Option2[i]->Click = [this, i] { Option2_Click(i); };
    }
    Command2->Click = [this] { Command2_Click(); };
    Command3->Click = [this] { Command3_Click(); };
}

// The control under the pointer takes the hover colour; a frame gives its controls back their
// resting colours.
void Form1::wireHover() {
    common::lightUnderPointer(textBoxes());
    common::lightUnderPointer({Option2[0], Option2[1], Option1[0], Option1[1], Option1[2]});
    common::lightUnderPointer({Command2, Command3});
    Command3->MouseDown = [this](int, int, float, float) { Command3->setBackColor(colors::Hover); };
    Command3->MouseUp = [this](int, int, float, float) {
        Command3->setBackColor(colors::ButtonRest);
    };
    Frame1->MouseMove = [this](int, int, float, float) {
        common::putToRest({Text6, Text7, Text8});
    };
    Frame2->MouseMove = [this](int, int, float, float) {
        common::putToRest({Text9, Text10});
        common::putToRest(Option2);
    };
    Frame3->MouseMove = [this](int, int, float, float) { common::putToRest(Option1); };
}

std::array<TextBox*, 8> Form1::textBoxes() const {
    return {Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10};
}

void Form1::TextBox_GotFocus(TextBox* box) {
    if (!box->Text().isEmpty()) {
        box->selectWhole();
    }
}

// ---- loading, activation, closing ----

void Form1::Form_Load() {
    setCaption(common::Public().WindowTitle);
    ColorMixChanged = false;
}

void Form1::Form_Activate() {
    if (ChooseMovingHeadOnActivate) {
        Combo1->setListIndex(1);
        ChooseMovingHeadOnActivate = false;
    }
    if (isVisible()) {
        Text3->SetFocus();
    }
    Label2->setCaption(QStringLiteral("正在编辑：") + common::Public().EditingFileLabel);
}

void Form1::Form_QueryUnload(bool& cancel, platform::UnloadMode mode) {
    if (mode == platform::UnloadMode::CloseBox && !common::ConfirmExit()) {
        cancel = true;
    }
}

// ---- what other windows ask of the page ----

FixtureInfo Form1::fixtureInfo() const {
    FixtureInfo info;
    info.makerName = Text3->Text();
    info.deviceName = Text4->Text();
    info.channelCountText = Text5->Text();
    info.minDmx = Text6->Text();
    info.maxDmx = Text7->Text();
    info.divBy = Text8->Text();
    info.maxPan = Text9->Text();
    info.maxTilt = Text10->Text();
    info.conventional = Option2[0]->Value();
    info.movingLightType = Combo1->ListIndex();
    info.colorMixMode = Option1[1]->Value()   ? ColorMixMode::Rgb
                        : Option1[2]->Value() ? ColorMixMode::Cmy
                                              : ColorMixMode::None;
    return info;
}

void Form1::resetToDefaults() {
    for (TextBox* box : textBoxes()) {
        box->setText(QString());
    }
    Option1[0]->setValue(true);
    Option2[1]->setValue(true);
    Combo1->setListIndex(0);
    ChooseMovingHeadOnActivate = true;
}

// ---- navigation ----

void Form1::CheckRequiredFields() {
    MissingInput = false;
    if (Text3->Text().isEmpty()) {
        Text3->SetFocus();
        platform::msgBox(QStringLiteral("请填写灯厂名称..."));
    }
    for (TextBox* box : {Text4, Text5, Text6, Text7, Text8}) {
        if (box->Text().isEmpty()) {
            MissingInput = true;
            box->SetFocus();
            return;
        }
    }
    if (Option2[1]->Value()) {
        if (Text9->Text().isEmpty()) {
            Text9->setText(QStringLiteral("0"));
        }
        if (Text10->Text().isEmpty()) {
            Text10->setText(QStringLiteral("0"));
        }
    }
}

void Form1::Command3_Click() {
    // A box left out of range by a click on ">>" itself must not reach the file.
    if (!checkNumberRanges()) {
        return;
    }
    CheckRequiredFields();
    if (MissingInput) {
        platform::msgBox(QStringLiteral("检查填写全部空白项目..."));
        return;
    }
    Hide();
    platform::window<channels::Form2>().Show();
    common::PublicState& pub = common::Public();
    if (ColorMixChanged && !pub.SkipColorMixCheck) {
        showColorMixWarning();
    }
    ColorMixChanged = false;
    pub.SkipColorMixCheck = false;
}

void Form1::showColorMixWarning() {
    channels::Form2& page = platform::window<channels::Form2>();
    page.resizeGrid(Text5->Text().toInt());
    const QString channelList = ColorChannelList(page.rowsFromGrid());
    if (channelList.isEmpty()) {
        return;
    }
    platform::msgBox(ColorMixWarningText(channelList), MsgButtons::OkOnly, MsgIcon::Exclamation);
    quicksetup::Form2_1& quickSetup = platform::window<quicksetup::Form2_1>();
    quickSetup.Show();
    quickSetup.focusColorMix1();
}

void Form1::Command2_Click() {
    if (platform::msgBox(QStringLiteral("放弃全部编辑的数据？"), MsgButtons::OkCancel) !=
        MsgResult::Ok) {
        return;
    }
    platform::window<shell::Form0>().returnToMenu();
    platform::unload(*this);
}

bool Form1::checkNumberRanges() {
    const QString count = Text5->Text();
    if (!count.isEmpty() && (count.toInt() < 1 || count.toInt() > MaxChannelCount)) {
        refuseChannelCount();
        return false;
    }
    for (TextBox* box : {Text6, Text7, Text8}) {
        const QString text = box->Text();
        if (!text.isEmpty() && (text.toInt() < 1 || text.toInt() > MaxStartAddress)) {
            if (box == Text7) {
                refuseMaxAddress();
            } else {
                refuseAddress(box);
            }
            return false;
        }
    }
    return true;
}

// ---- field rules ----

void Form1::Text3_Change() {
    if (trimToLength(Text3)) {
        return;
    }
    common::DropRefusedLastCharacter(Text3, common::TextCheck::QuoteFreeText);
    common::Public().DataChanged = true;
}

void Form1::Text3_LostFocus() {
    if (!Text3->Text().isEmpty() && !common::IsAsciiText(Text3->Text())) {
        takeFocusBack(Text3);
    }
}

void Form1::Text4_Change() {
    if (trimToLength(Text4)) {
        return;
    }
    common::DropRefusedLastCharacter(Text4, common::TextCheck::NameText);
    common::Public().DataChanged = true;
}

void Form1::Text5_Change() {
    if (trimToNumber(Text5)) {
        return;
    }
    common::PublicState& pub = common::Public();
    const QString text = Text5->Text();
    if (text.isEmpty()) {
        Text6->setText(QString());
        Text7->setText(QString());
        Text8->setText(QString());
        pub.ChannelCount = 0;
        MaxStartAddress = 0;
        return;
    }
    if (text.startsWith(u'0')) {
        Text5->setText(QString());
        return;
    }
    const int count = text.toInt();
    if (count < 1 || count > MaxChannelCount) {
        refuseChannelCount();
        return;
    }
    pub.ChannelCount = static_cast<qint16>(count);
    // Set before the boxes: their own rules test against it.
    MaxStartAddress = static_cast<qint16>(MaxChannelCount - count + 1);
    Text6->setText(QStringLiteral("1"));
    Text7->setText(QString::number(MaxStartAddress));
    Text8->setText(QStringLiteral("1"));
    pub.DataChanged = true;
}

void Form1::refuseChannelCount() {
    platform::msgBox(QStringLiteral("请输入正确的数字范围(1-512)..."));
    Text5->selectWhole();
    Text5->SetFocus();
    Text6->setText(QString());
    Text7->setText(QString());
    Text8->setText(QString());
}

void Form1::Text5_LostFocus() {
    const QString text = Text5->Text();
    if (!text.isEmpty() && (text.toInt() < 1 || text.toInt() > MaxChannelCount)) {
        takeFocusBack(Text5);
    }
}

namespace {
enum class AddressText { Empty, Inside, Outside };

// The part of the address rule that the three address boxes share.
AddressText checkAddressText(TextBox* box, int maxStartAddress) {
    if (trimToNumber(box)) {
        return AddressText::Empty; // the rewrite has run the whole rule already
    }
    const QString text = box->Text();
    if (text.isEmpty()) {
        return AddressText::Empty;
    }
    if (text.startsWith(u'0')) {
        box->setText(QString());
        return AddressText::Empty;
    }
    const int value = text.toInt();
    return value >= 1 && value <= maxStartAddress ? AddressText::Inside : AddressText::Outside;
}
} // namespace

void Form1::refuseAddress(TextBox* box) {
    platform::msgBox(QStringLiteral("请输入正确的数字范围(1-%1)...").arg(MaxStartAddress));
    box->selectWhole();
    box->SetFocus();
}

void Form1::refuseMaxAddress() {
    platform::msgBox(QStringLiteral("请输入正确的数字范围(1-%1)...").arg(MaxStartAddress));
    if (platform::msgBox(QStringLiteral("是否允许自动纠正输入错误？"), MsgButtons::OkCancel) ==
        MsgResult::Ok) {
        Text7->setText(QString::number(MaxStartAddress));
    }
}

// The three address boxes share their rules; only the maximum address offers a correction.
void Form1::addressChange(TextBox* box) {
    switch (checkAddressText(box, MaxStartAddress)) {
    case AddressText::Inside:
        common::Public().DataChanged = true;
        break;
    case AddressText::Outside:
        if (box == Text7) {
            refuseMaxAddress();
        } else {
            refuseAddress(box);
        }
        break;
    case AddressText::Empty:
        break;
    }
}

void Form1::leaveAddressBox(TextBox* box) {
    const QString text = box->Text();
    if (!text.isEmpty() && (text.toInt() < 1 || text.toInt() > MaxStartAddress)) {
        takeFocusBack(box);
    }
}

void Form1::Text6_Change() {
    addressChange(Text6);
}
void Form1::Text7_Change() {
    addressChange(Text7);
}
void Form1::Text8_Change() {
    addressChange(Text8);
}
void Form1::Text6_LostFocus() {
    leaveAddressBox(Text6);
}
void Form1::Text7_LostFocus() {
    leaveAddressBox(Text7);
}
void Form1::Text8_LostFocus() {
    leaveAddressBox(Text8);
}

void Form1::Text9_Change() {
    if (trimToNumber(Text9)) {
        return;
    }
    if (!Text9->Text().isEmpty()) {
        common::Public().DataChanged = true;
    }
}

void Form1::Text10_Change() {
    if (trimToNumber(Text10)) {
        return;
    }
    common::Public().DataChanged = true;
}

void Form1::Option1_Click(int) {
    common::Public().DataChanged = true;
    ColorMixChanged = true;
}

void Form1::Option2_Click(int) {
    const bool movingLight = Option2[1]->Value();
    for (QWidget* control :
         std::initializer_list<QWidget*>{Combo1, Text9, Text10, Label10, Label11, Label12}) {
        control->setVisible(movingLight);
    }
    Frame2->setHeight(movingLight ? MovingLightFrameHeight : ConventionalFrameHeight);
    common::Public().DataChanged = true;
}

// ---- hover feedback ----

void Form1::Form_MouseMove(int, int, float, float) {
    common::putToRest({Command2, Command3});
    Label15->setForeColor(colors::LinkRest);
    common::putToRest(textBoxes());
    common::putToRest({Option2[0], Option2[1], Option1[0], Option1[1], Option1[2]});
}

} // namespace basicinfo
