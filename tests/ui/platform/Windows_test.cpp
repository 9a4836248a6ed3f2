#include "tests/support/EditorTest.h"

#include <QCoreApplication>
#include <QKeyEvent>

using namespace platform;

// The window rules of the platform layer that the editor's own windows do not bring out.

namespace {

// A window that records its rules as they run.
class Probe : public Form {
public:
    static constexpr const char* Name = "Probe";
    static inline QStringList log;
    Probe() : Form(QString::fromLatin1(Name)) {
        Text1 = new TextBox(this, "Text1");
        Text2 = new TextBox(this, "Text2");
        Text1->GotFocus = [] { log << "Text1_GotFocus"; };
        Text1->LostFocus = [] { log << "Text1_LostFocus"; };
        Text2->GotFocus = [] { log << "Text2_GotFocus"; };
    }
    void Form_Load() override { log << "Load"; }
    void Form_Activate() override { log << "Activate"; }
    void Form_QueryUnload(bool& cancel, UnloadMode mode) override {
        log << (mode == UnloadMode::CloseBox ? "QueryUnload:box" : "QueryUnload:program");
        cancel = refuseClose && mode == UnloadMode::CloseBox;
    }
    void Form_Unload(bool&) override { log << "Unload"; }
    bool refuseClose = false;
    TextBox* Text1;
    TextBox* Text2;
};

class WindowsTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        windows().add<Probe>();
        Probe::log.clear();
    }
};

TEST_F(WindowsTest, FirstTouchLoadsHiddenAndShowActivatesOnce) {
    EXPECT_FALSE(isLoaded<Probe>());
    Probe& probe = window<Probe>();
    EXPECT_FALSE(probe.isVisible());
    probe.Show();
    probe.Show(); // already active: no second activation
    EXPECT_EQ(Probe::log, (QStringList{"Load", "Activate", "Text1_GotFocus"}));
}

TEST_F(WindowsTest, UnloadAsksQueryUnloadAndStartsAfreshOnNextTouch) {
    Probe& first = window<Probe>();
    first.Show();
    first.Text1->setText("kept?");
    first.refuseClose = true;
    first.userClose();
    EXPECT_TRUE(isLoaded<Probe>());
    first.refuseClose = false;
    Probe::log.clear();
    EXPECT_TRUE(unload(first));
    EXPECT_EQ(Probe::log, (QStringList{"QueryUnload:program", "Unload"}));
    EXPECT_TRUE(desktop.ended); // it was the last loaded window
    settle();
    EXPECT_EQ(window<Probe>().Text1->Text(), "");
}

TEST_F(WindowsTest, KeyPressCanDropKeysAndMaxLengthStopsTyping) {
    Probe& probe = window<Probe>();
    probe.Show();
    probe.Text1->KeyPress = [](int& key) {
        if (key != 8 && (key < '0' || key > '9')) {
            key = 0;
        }
    };
    probe.Text2->setMaxLength(2);
    for (auto [box, typed] : {std::pair{probe.Text1, "1a2"}, std::pair{probe.Text2, "abc"}}) {
        box->SetFocus();
        for (const char ch : std::string(typed)) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(ch)));
            QCoreApplication::sendEvent(box, &press);
        }
    }
    EXPECT_EQ(probe.Text1->Text(), "12");
    EXPECT_EQ(probe.Text2->Text(), "ab");
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
