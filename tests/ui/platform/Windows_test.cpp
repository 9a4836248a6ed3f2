#include "tests/support/EditorTest.h"

#include <QCoreApplication>
#include <QKeyEvent>

using namespace platform;

namespace {

// A window that records its rules as they run.
class Probe : public Form {
public:
    static constexpr const char* Name = "Probe";
    static inline QStringList log;
    Probe() : Form(QString::fromLatin1(Name)) {
        Text1 = new TextBox(this, "Text1");
        Text2 = new TextBox(this, "Text2");
        Command1 = new CommandButton(this, "Command1");
        Option1[0] = new OptionButton(this, "Option1", 0);
        Option1[1] = new OptionButton(this, "Option1", 1);
        Text1->Change = [this] { log << "Text1_Change:" + Text1->Text(); };
        Text1->GotFocus = [] { log << "Text1_GotFocus"; };
        Text1->LostFocus = [] { log << "Text1_LostFocus"; };
        Text2->GotFocus = [] { log << "Text2_GotFocus"; };
        Command1->Click = [] { log << "Command1_Click"; };
        Option1[0]->Click = [] { log << "Option1_Click(0)"; };
        Option1[1]->Click = [] { log << "Option1_Click(1)"; };
    }
    void Form_Load() override { log << "Probe_Load"; }
    void Form_Activate() override { log << "Probe_Activate"; }
    void Form_QueryUnload(bool& cancel, UnloadMode mode) override {
        log << (mode == UnloadMode::CloseBox ? "Probe_QueryUnload:box"
                                             : "Probe_QueryUnload:program");
        cancel = refuseClose && mode == UnloadMode::CloseBox;
    }
    void Form_Unload(bool&) override { log << "Probe_Unload"; }
    bool refuseClose = false;
    TextBox* Text1;
    TextBox* Text2;
    CommandButton* Command1;
    OptionButton* Option1[2];
};

class Other : public Form {
public:
    static constexpr const char* Name = "Other";
    Other() : Form(QString::fromLatin1(Name)) {}
    void Form_Activate() override { Probe::log << "Other_Activate"; }
};

class WindowsTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        windows().add<Probe>();
        windows().add<Other>();
        Probe::log.clear();
    }
    static void type(TextBox* box, const QString& text) {
        for (QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QCoreApplication::sendEvent(box, &press);
        }
    }
};

TEST_F(WindowsTest, FirstTouchLoadsHiddenAndShowActivatesOnce) {
    EXPECT_FALSE(isLoaded<Probe>());
    Probe& probe = window<Probe>();
    EXPECT_TRUE(isLoaded<Probe>());
    EXPECT_FALSE(probe.isVisible());
    EXPECT_EQ(Probe::log, QStringList{"Probe_Load"});

    probe.Show();
    probe.Show(); // already active: no second activation
    EXPECT_EQ(Probe::log, (QStringList{"Probe_Load", "Probe_Activate", "Text1_GotFocus"}));
}

TEST_F(WindowsTest, HidingTheActiveWindowHandsActivationToTheMostRecentVisibleOne) {
    window<Probe>().Show();
    window<Other>().Show();
    Probe::log.clear();
    window<Other>().Hide();
    EXPECT_EQ(Probe::log, QStringList{"Probe_Activate"});
    EXPECT_EQ(windows().active(), &window<Probe>());

    // Unloading a window that is not active changes nothing of the activation.
    Probe::log.clear();
    unload(window<Other>());
    EXPECT_TRUE(Probe::log.isEmpty());
}

TEST_F(WindowsTest, UnloadAsksQueryUnloadAndStartsAfreshOnNextTouch) {
    Probe& first = window<Probe>();
    first.Show();
    first.Text1->setText("kept?");
    first.refuseClose = true;
    first.userClose();
    EXPECT_TRUE(isLoaded<Probe>());
    EXPECT_EQ(Probe::log.last(), "Probe_QueryUnload:box");

    first.refuseClose = false;
    Probe::log.clear();
    EXPECT_TRUE(unload(first));
    EXPECT_EQ(Probe::log, (QStringList{"Probe_QueryUnload:program", "Probe_Unload"}));
    EXPECT_FALSE(isLoaded<Probe>());
    EXPECT_TRUE(desktop.ended); // it was the last loaded window
    settle();
    EXPECT_EQ(window<Probe>().Text1->Text(), "");
}

TEST_F(WindowsTest, ProgramSetValuesRaiseTheSameRulesAsTheUser) {
    Probe& probe = window<Probe>();
    Probe::log.clear();
    probe.Text1->setText("12");
    probe.Text1->setText("12"); // equal text: no change
    probe.Option1[1]->setValue(true);
    probe.Option1[1]->setValue(true);
    EXPECT_EQ(Probe::log, (QStringList{"Text1_Change:12", "Option1_Click(1)"}));
}

TEST_F(WindowsTest, KeyPressCanDropOrReplaceKeysAndPasteCannotBypassIt) {
    Probe& probe = window<Probe>();
    probe.Show();
    probe.Text1->KeyPress = [](int& key) {
        if (key != 8 && (key < '0' || key > '9')) {
            key = 0;
        }
    };
    type(probe.Text1, "1a2");
    EXPECT_EQ(probe.Text1->Text(), "12");
    probe.Text1->insertFiltered("3x\t4");
    EXPECT_EQ(probe.Text1->Text(), "1234");
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QCoreApplication::sendEvent(probe.Text1, &backspace);
    EXPECT_EQ(probe.Text1->Text(), "123");

    probe.Text2->setMaxLength(2);
    probe.Text2->SetFocus();
    type(probe.Text2, "abc");
    EXPECT_EQ(probe.Text2->Text(), "ab");
}

TEST_F(WindowsTest, ValidateRefusalKeepsFocusAndStopsTheTarget) {
    Probe& probe = window<Probe>();
    probe.Show();
    bool refuse = true;
    probe.Text1->Validate = [&refuse](bool& cancel) { cancel = refuse; };
    Probe::log.clear();
    EXPECT_FALSE(probe.Command1->userClick());
    EXPECT_EQ(probe.ActiveControl(), probe.Text1);
    EXPECT_TRUE(Probe::log.isEmpty());

    refuse = false;
    EXPECT_TRUE(probe.Command1->userClick());
    EXPECT_EQ(Probe::log, (QStringList{"Text1_LostFocus", "Command1_Click"}));
}

TEST_F(WindowsTest, LostFocusTakingTheFocusBackKeepsItWithoutAGotFocusForTheTarget) {
    Probe& probe = window<Probe>();
    probe.Show();
    probe.Text1->LostFocus = [&probe] {
        Probe::log << "Text1_LostFocus";
        probe.Text1->SetFocus();
    };
    Probe::log.clear();
    probe.Text2->userFocus();
    EXPECT_EQ(probe.ActiveControl(), probe.Text1);
    EXPECT_EQ(Probe::log, (QStringList{"Text1_LostFocus", "Text1_GotFocus"}));
}

TEST_F(WindowsTest, TimersRunOnTheVirtualClockAndStopWhenTheirWindowUnloads) {
    Probe& probe = window<Probe>();
    auto* timer = new Timer(&probe, "Timer1");
    int ticks = 0;
    timer->Tick = [&ticks] { ++ticks; };
    timer->setInterval(500);
    timer->setEnabled(true);
    Timer::advanceClock(499);
    EXPECT_EQ(ticks, 0);
    Timer::advanceClock(1001);
    EXPECT_EQ(ticks, 3);
    unload(probe);
    Timer::advanceClock(5000);
    EXPECT_EQ(ticks, 3);
}

} // namespace
