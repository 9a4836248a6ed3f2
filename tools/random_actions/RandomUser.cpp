#include "RandomUser.h"

#include "RunnerText.h"
#include "ScenarioRunner.h"
#include "channels/Form2.h"
#include "common/Public.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Grid.h"

#include <QStringView>
#include <vector>

namespace randomactions {

using platform::Control;
using platform::Form;

namespace {

const QStringList Keys{"Backspace", "Delete", "Tab",    "Shift+Tab", "Enter", "Escape",
                       "Home",      "End",    "Left",   "Right",     "Up",    "Down",
                       "Ctrl+A",    "Ctrl+C", "Ctrl+V", "Ctrl+X"};
const QString Chinese = QStringLiteral("通道颜色图案摇头灯光红绿蓝青品黄宏素材范围效果速度");
const QStringList Emoji{QStringLiteral("😀"), QStringLiteral("🎨"), QStringLiteral("💡"),
                        QStringLiteral("𠀀")};
const QString Ascii = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ012345678"
                                     "9 -_.,;:'\"!?()[]{}<>/\\|#$%&*+=~`@^");

// The windows the user sees and may reach: only a modal window while one is open.
std::vector<Form*> reachableWindows() {
    Form* active = platform::windows().active();
    if (active && active->isModalShowing()) {
        return {active};
    }
    std::vector<Form*> shown;
    for (const QString& name : platform::windows().loadedNames()) {
        Form* form = platform::windows().find(name);
        if (form && form->isVisible()) {
            shown.push_back(form);
        }
    }
    return shown;
}

bool isUsable(const Control& c) {
    return ScenarioRunner::whyUnusable(c).isEmpty();
}

QString nameOf(const Control& c) {
    return c.form()->formName() + '.' + c.fullName();
}

// How often a control is chosen: a label or a frame rarely does anything when clicked.
int weightOf(const Control& c) {
    const QWidget* w = c.widget();
    if (dynamic_cast<const platform::Label*>(w)) {
        return 1;
    }
    if (dynamic_cast<const platform::Frame*>(w) || dynamic_cast<const platform::Line*>(w) ||
        dynamic_cast<const platform::Shape*>(w)) {
        return 0;
    }
    return 5;
}

// The items of a list or a combo box; -1 for any other control.
int itemCount(const Control& c) {
    if (auto* combo = dynamic_cast<const platform::ComboBox*>(c.widget())) {
        return combo->ListCount();
    }
    if (auto* list = dynamic_cast<const platform::ListBox*>(c.widget())) {
        return list->ListCount();
    }
    return -1;
}

QString number(double value) {
    return QString::number(value, 'g', 6);
}

} // namespace

bool usable(const QString& fullName) {
    const Control* c = ScenarioRunner::findControl(fullName);
    return c && isUsable(*c);
}

Action RandomUser::next() {
    if (plan_.empty() && chance(30)) {
        plan();
    }
    if (std::optional<Action> action = planned()) {
        return *action;
    }
    return randomAction();
}

std::optional<Action> RandomUser::planned() {
    while (!plan_.empty()) {
        Planned step = plan_.front();
        plan_.pop_front();
        if (!usable(step.target)) {
            plan_.clear(); // the program went another way
            return std::nullopt;
        }
        if (step.command == "pick") {
            // A list holds what the program put in it by now.
            const int count = itemCount(*ScenarioRunner::findControl(step.target));
            if (count <= 0) {
                continue;
            }
            step.args = {QStringLiteral("#%1").arg(step.args[0].mid(1).toInt() % count)};
        }
        return make(step.command, step.target, step.args);
    }
    return std::nullopt;
}

void RandomUser::then(const QString& command, const QString& target, QStringList args) {
    plan_.push_back({command, target, std::move(args)});
}

Action RandomUser::make(const QString& command, const QString& target, QStringList args) {
    Action action;
    action.kind = command;
    QStringList words{command, target};
    for (const QString& arg : args) {
        words << (command == "type" || command == "drop" ? runner::scriptWord(arg) : arg);
    }
    if (command == "type") {
        action.keys = std::max<int>(1, static_cast<int>(args.value(0).size()));
    }
    action.line = words.join(' ');
    return action;
}

// ---- Plans that get somewhere ----

void RandomUser::plan() {
    const Form* active = platform::windows().active();
    const QString window = active ? active->formName() : QString();
    if (window == "Form1") {
        planBasicInformation();
    } else if (window == "Form2") {
        planChannels();
    } else if (window == "Form3_1") {
        planRanges();
    } else if (window == "Form3_2") {
        planNamedTable("Form3_2", "Form3_2_1");
    } else if (window == "Form3_3") {
        planNamedTable("Form3_3", "Form3_3_1");
    } else if (window == "Form3") {
        then("click", QStringLiteral("Form3.Command%1").arg(4 + below(4)));
    } else if (window == "Form0" || window == "Start") {
        then("click", "Form0.Command11");
    }
}

void RandomUser::planBasicInformation() {
    then("type", "Form1.Text3", {"Maker"});
    then("type", "Form1.Text4", {"SPOT1"});
    then("key", "Form1.Text5", {"Ctrl+A"});
    // The largest count is where the program is slowest; a small one lets the channels be named
    // and the advanced page be reached.
    const int count = chance(50) ? 512 : chance(85) ? 1 + below(12) : 1 + below(512);
    then("type", "Form1.Text5", {QString::number(count)});
    then("type", "Form1.Text9", {"540"});
    then("type", "Form1.Text10", {"270"});
    then("click", "Form1.Command3");
}

void RandomUser::planChannels() {
    const int count = common::Public().ChannelCount;
    if (chance(20)) {
        planQuickSetup(count);
        return;
    }
    std::vector<int> unnamed;
    if (count <= 40) {
        const channels::ChannelRows rows = platform::window<channels::Form2>().rowsFromGrid();
        for (int row = 1; row <= static_cast<int>(rows.size()); ++row) {
            if (rows[row - 1][channels::ChannelColumn::ChannelName].isEmpty()) {
                unnamed.push_back(row);
            }
        }
    }
    if (unnamed.empty() || chance(10)) {
        then("click", "Form2.Command2");
        return;
    }
    // Every second channel shares its attribute key on the other wheel, so the page lets the
    // table go on once all are named.
    for (std::size_t i = 0; i < unnamed.size() && i < 4; ++i) {
        const QString row = QString::number(unnamed[i]);
        then("cell", "Form2.MSFlexGrid1", {row, "1"});
        then("type", "Form2_3.Text1", {"CH" + row});
        if (chance(25)) {
            // The fine part of a 16-bit channel.
            then("pick", "Form2_3.Combo1", {"#5"});
            then("pick", "Form2_3.Combo5", {QStringLiteral("#%1").arg(below(count))});
        } else {
            then("pick", "Form2_3.Combo4", {QStringLiteral("#%1").arg(below(23))});
            then("pick", "Form2_3.Combo1", {QStringLiteral("#%1").arg(below(5))});
            then("pick", "Form2_3.Combo2", {QStringLiteral("#%1").arg((unnamed[i] - 1) / 2 % 20)});
            then("pick", "Form2_3.Combo3", {QStringLiteral("#%1").arg((unnamed[i] - 1) % 2)});
        }
        then("click", "Form2_3.Command1");
    }
}

void RandomUser::planQuickSetup(int channelCount) {
    then("click", "Form2.Command3");
    const int boxes = 1 + below(std::min(channelCount, 22));
    for (int box = 1; box <= boxes; ++box) {
        then("type", QStringLiteral("Form2_1.Text%1").arg(1 + below(22)),
             {QString::number(1 + below(channelCount))});
    }
    then("click", "Form2_1.Command1");
}

void RandomUser::planRanges() {
    const int from = below(256), to = from + below(256 - from);
    then("pick", "Form3_1.List1", {QStringLiteral("#%1").arg(below(8))});
    then("click", chance(75) ? "Form3_1.Command1" : "Form3_1.Command2");
    then("type", "Form3_1.Text1", {text(true)});
    then("scroll", "Form3_1.HScroll1", {QString::number(from)});
    then("scroll", "Form3_1.HScroll2", {QString::number(to)});
    then("click", "Form3_1.Command5");
}

// A palette group or a macro: the list's Add, a name, two channels, and on to the editor.
void RandomUser::planNamedTable(const QString& list, const QString& dialog) {
    then("click", list + ".Command1");
    if (dialog == "Form3_2_1") {
        then("click", "Form3_2_1.Command3");
        then("click", QStringLiteral("Form3_2_3.Option1(%1)").arg(below(3)));
        then("click", "Form3_2_3.Command1");
    } else {
        then("type", dialog + ".Text1", {text(true)});
    }
    then("pick", dialog + ".List1", {QStringLiteral("#%1").arg(below(4))});
    then("pick", dialog + ".List1", {QStringLiteral("#%1").arg(below(4))});
    then("click", dialog + ".Command1");
    for (int entry = below(4); entry > 0; --entry) {
        if (dialog == "Form3_2_1") {
            then("cell", "Form3_2_2.MSFlexGrid1", {QString::number(entry), "2"});
            then("type", "Form3_2_2.Text1", {text(true)});
            then("pick", "Form3_2_2.Combo1", {QStringLiteral("#%1").arg(below(10))});
            then("click", "Form3_2_2.Command4");
        } else {
            then("click", "Form3_3_2.Command1");
        }
    }
    then("click", dialog == "Form3_2_1" ? "Form3_2_2.Command2" : "Form3_3_2.Command2");
}

// ---- Acting at random ----

Action RandomUser::randomAction() {
    const std::vector<Form*> windows = reachableWindows();
    if (windows.empty()) {
        return make("advance", QString::number(3000)); // the splash window's time
    }
    Form* window = windows[below(static_cast<int>(windows.size()))];
    if (window->formName() == "Start" && chance(30)) {
        return make("advance", QString::number(3000)); // the splash window's time
    }
    const int roll = below(100);
    if (roll < 2) {
        return make("close", window->formName());
    }
    if (roll < 4) {
        return make("advance", QString::number(chance(50) ? 600 : 3000));
    }
    if (roll < 6) {
        return make("hover", window->formName());
    }
    std::vector<Control*> controls;
    int total = 0;
    for (Form* form : windows) {
        for (Control* c : form->controls()) {
            if (isUsable(*c) && weightOf(*c) > 0) {
                controls.push_back(c);
                total += weightOf(*c);
            }
        }
    }
    for (int pick = below(total); Control * c : controls) {
        pick -= weightOf(*c);
        if (pick < 0) {
            return onControl(*c);
        }
    }
    return make("hover", window->formName());
}

Action RandomUser::onControl(Control& c) {
    const QString name = nameOf(c);
    QWidget* w = c.widget();
    if (dynamic_cast<platform::TextBox*>(w)) {
        return onTextBox(name);
    }
    if (auto* grid = dynamic_cast<platform::Grid*>(w)) {
        if (chance(20) || grid->Rows() == 0 || grid->Cols() == 0) {
            return make("key", name, {Keys[8 + below(4)]});
        }
        return make("cell", name,
                    {QString::number(below(grid->Rows())), QString::number(below(grid->Cols()))});
    }
    if (auto* bar = dynamic_cast<platform::HScrollBar*>(w)) {
        return make("scroll", name,
                    {QString::number(bar->Min() + below(bar->Max() - bar->Min() + 1))});
    }
    const int count = itemCount(c);
    if (count > 0 && chance(85)) {
        return make("pick", name, {QStringLiteral("#%1").arg(below(count))});
    }
    if (count >= 0) {
        return chance(50) ? make("click", name) : make("key", name, {Keys[8 + below(4)]});
    }
    if (auto* pad = dynamic_cast<platform::PictureBox*>(w); pad && chance(70)) {
        // Anywhere on the pad, now and then beyond its edges.
        auto along = [this](float start, float size) {
            return number(start + size * (below(140) - 20) / 100.0);
        };
        return make("drag", name,
                    {along(pad->ScaleLeft(), pad->ScaleWidth()),
                     along(pad->ScaleTop(), pad->ScaleHeight()),
                     along(pad->ScaleLeft(), pad->ScaleWidth()),
                     along(pad->ScaleTop(), pad->ScaleHeight())});
    }
    const int roll = below(100);
    return roll < 85   ? make("click", name)
           : roll < 90 ? make("mousedown", name, {"left"})
           : roll < 95 ? make("mouseup", name, {"left"})
                       : make("hover", name);
}

Action RandomUser::onTextBox(const QString& name) {
    const int roll = below(100);
    if (roll < 45) {
        QString typed = text(chance(50));
        return make("type", name, {typed.left(40)});
    }
    if (roll < 62) {
        return make("key", name, {Keys[below(static_cast<int>(Keys.size()))]});
    }
    if (roll < 72) {
        return make("drop", name, {text()});
    }
    if (roll < 80) {
        Action paste = make("paste", name);
        paste.before << "clipboard " + runner::scriptWord(text());
        return paste;
    }
    return roll < 92 ? make("click", name) : make("focus", name);
}

// ---- Texts and answers ----

QString RandomUser::text(bool sensible) {
    const int roll = below(100);
    if (roll < 35) {
        static const QStringList numbers{"0",   "1",   "-1",  "2.5", "100",
                                         "255", "256", "512", "1e2", "-"};
        return chance(50) ? numbers[below(static_cast<int>(numbers.size()))]
                          : QString::number(below(chance(50) ? 600 : 100000));
    }
    if (sensible || roll < 60) {
        QString word;
        for (int n = 1 + below(12); n > 0; --n) {
            word += sensible ? Ascii[below(52)] : Ascii[below(static_cast<int>(Ascii.size()))];
        }
        return word;
    }
    QString mixed;
    const int length = roll < 70 ? 1 + below(8) : roll < 94 ? 1 + below(30) : 200 + below(3000);
    while (mixed.size() < length) {
        const int kind = below(10);
        mixed += kind < 4   ? QString(Chinese[below(static_cast<int>(Chinese.size()))])
                 : kind < 5 ? Emoji[below(static_cast<int>(Emoji.size()))]
                 : kind < 6 ? QString(QChar(below(32) == 0 ? 127 : below(32)))
                            : QString(Ascii[below(static_cast<int>(Ascii.size()))]);
    }
    return mixed;
}

bool RandomUser::answersOk(const platform::MessageRequest& message) {
    if (message.buttons == platform::MsgButtons::OkOnly) {
        return true;
    }
    // Leaving the program now and then starts it again; mostly the user stays.
    const bool exit = message.text.contains(QStringLiteral("退出"));
    return chance(exit ? 15 : 70);
}

std::optional<QString> RandomUser::saveName() {
    const int roll = below(100);
    if (roll < 8) {
        return std::nullopt;
    }
    if (roll < 12) {
        return QStringLiteral("missing/out.K36");
    }
    if (roll < 15) {
        return QString();
    }
    return QStringLiteral("fixture%1.K36").arg(below(4));
}

std::optional<QColor> RandomUser::color() {
    if (chance(15)) {
        return std::nullopt;
    }
    return QColor(below(256), below(256), below(256));
}

} // namespace randomactions
