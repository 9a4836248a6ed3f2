#include "tests/support/EditorTest.h"

#include <QApplication>
#include <QMouseEvent>

using namespace platform;

namespace {

// A window whose rules record which of them a real pointer move reached.
class Board : public Form {
public:
    static constexpr const char* Name = "Board";
    Board() : Form(QString::fromLatin1(Name)) {
        Frame1 = new Frame(this, "Frame1");
        Frame1->Move(0, 0, 3000, 3000);
        Command1 = new CommandButton(Frame1, "Command1");
        Command1->Move(300, 300, 1200, 450);
        Label1 = new Label(this, "Label1");
        Label1->Move(3300, 0, 1200, 300);
        // A number box like the channel count: digits only, refused text selected for retyping.
        Text1 = new TextBox(this, "Text1");
        Text1->setMaxLength(3);
        Text1->KeyPress = [](int& key) {
            if (key < '0' || key > '9') {
                key = 0;
            }
        };
        Text1->Change = [this] {
            if (Text1->Text().toInt() > 512) {
                ++refusals;
                Text1->setSelStart(0);
                Text1->setSelLength(static_cast<int>(Text1->Text().size()));
            }
        };
        Frame1->MouseMove = [this](int, int, float, float) { reached << "Frame1"; };
        Command1->MouseMove = [this](int, int, float, float) { reached << "Command1"; };
    }
    void Form_MouseMove(int, int, float, float) override { reached << "Form"; }
    Frame* Frame1;
    CommandButton* Command1;
    Label* Label1;
    TextBox* Text1;
    QStringList reached;
    int refusals = 0;
};

class UserInputTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        windows().add<Board>();
    }
    static void moveOver(QWidget* widget) {
        const QPointF at(2, 2);
        QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }
};

// A move over a control raises that control's rule only; its frame and the window hear of it
// only when the pointer is over their own free area. Otherwise their rules would put back the
// resting colours that the control's rule has just set.
TEST_F(UserInputTest, AMoveReachesOnlyTheControlUnderThePointer) {
    Board& board = window<Board>();
    board.Show();
    moveOver(board.Command1);
    EXPECT_EQ(board.reached.join(' '), "Command1");
    moveOver(board.Label1); // a label without a rule of its own
    moveOver(board.Frame1);
    moveOver(&board);
    EXPECT_EQ(board.reached.join(' '), "Command1 Frame1 Form");
}

// A paste, a drop or an input method's text fills at most the room the box had when it began:
// a refused and selected text does not make room for the rest of a long paste.
TEST_F(UserInputTest, OnePasteFillsAtMostTheRoomTheBoxHad) {
    Board& board = window<Board>();
    board.Show();
    board.Text1->insertFiltered(QString(3000, u'9'));
    EXPECT_EQ(board.Text1->Text(), "999");
    EXPECT_EQ(board.refusals, 1);

    board.Text1->setText(QStringLiteral("1"));
    board.Text1->setSelStart(1);
    board.Text1->insertFiltered(QStringLiteral("x2y34"));
    EXPECT_EQ(board.Text1->Text(), "123");
}

} // namespace
