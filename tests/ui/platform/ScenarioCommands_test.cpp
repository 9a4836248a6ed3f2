#include "ScenarioRunner.h"
#include "common/Public.h"
#include "platform/Grid.h"
#include "platform/Layout.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The runner's commands for controls that no window of the editor has yet, played against a
// window made for the purpose. Its handlers write what reached them into Label1.

using namespace platform;

namespace {

class Pad : public Form {
public:
    static constexpr const char* Name = "Pad";
    Pad() : Form(QString::fromLatin1(Name)) {
        setClientSize(6000, 4500);
        // clang-format off
        layOut(*this, {
            {Label1,       "Label1",       {0, 0, 6000, 300}},
            {Text1,        "Text1",        {0, 300, 1500, 330}},
            {HScroll1,     "HScroll1",     {0, 700, 3000, 255}},
            {Picture1,     "Picture1",     {0, 1000, 1500, 1500}},
            {List1,        "List1",        {1600, 1000, 1500, 1500}, {.items = {"a", "b", "c"}}},
            {List2,        "List2",        {1600, 2600, 1500, 900}},
            {MSFlexGrid2,  "MSFlexGrid2",  {4500, 1000, 1200, 900}},
            {Command1,     "Command1",     {0, 2600, 1500, 450}},
        });
        // clang-format on
        HScroll1->setMax(10);
        Picture1->Scale(0, 255, 255, 0); // y grows upwards, as on a pan/tilt pad
        List1->setMultiSelect(ListBox::MultiSelect::Simple);
        MSFlexGrid2->setRows(3);
        // The fixed column leaves room beside it: the cells under it are out of the hand's reach.
        MSFlexGrid2->setColWidth(0, 450);
        MSFlexGrid2->setRow(1);
        MSFlexGrid2->setCol(1);
        MSFlexGrid2->setCellBackColor(QColor(255, 0, 0));
        CommonDialog1 = new CommonDialog(this, QStringLiteral("CommonDialog1"));

        Text1->Validate = [this](bool& cancel) { cancel = Text1->Text() == "no"; };
        HScroll1->Scroll = [this] { log(QStringLiteral("S%1").arg(HScroll1->Value())); };
        HScroll1->Change = [this] { log(QStringLiteral("C%1").arg(HScroll1->Value())); };
        Picture1->MouseDown = [this](int b, int, float x, float y) { mouse("D", b, x, y); };
        Picture1->MouseMove = [this](int b, int, float x, float y) { mouse("M", b, x, y); };
        Picture1->MouseUp = [this](int b, int, float x, float y) { mouse("U", b, x, y); };
        List1->Click = [this] {
            log(QStringLiteral("K%1%2%3%4")
                    .arg(List1->ListIndex())
                    .arg(List1->Selected(0))
                    .arg(List1->Selected(1))
                    .arg(List1->Selected(2)));
        };
        MSFlexGrid2->Click = [this] {
            log(QStringLiteral("G%1,%2").arg(MSFlexGrid2->Row()).arg(MSFlexGrid2->Col()));
        };
        Command1->Click = [this] {
            if (CommonDialog1->ShowColor()) {
                log(QStringLiteral("colour%1").arg(CommonDialog1->Color.name()));
            }
        };
    }

    void log(const QString& event) {
        Label1->setCaption((Label1->Caption() + ' ' + event).trimmed());
    }
    void mouse(const char* what, int button, float x, float y) {
        log(QStringLiteral("%1%2:%3,%4").arg(what).arg(button).arg(x).arg(y));
    }

    Label* Label1;
    TextBox* Text1;
    HScrollBar* HScroll1;
    PictureBox* Picture1;
    ListBox* List1;
    ListBox* List2;
    Grid* MSFlexGrid2;
    CommandButton* Command1;
    CommonDialog* CommonDialog1;
};

// Plays the lines against the pad; the runner's failure, or empty when every line held.
QString play(const QString& lines) {
    windows().add<Pad>();
    QTemporaryDir folder;
    const QString path = folder.filePath("pad.scn");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(("show Pad\n" + lines).toUtf8());
    file.close();
    ScenarioRunner runner(path);
    runner.run();
    return runner.failure();
}

TEST(ScenarioCommands, ScrollDragPickCellAndColourReachTheControlsAsTheUsersHandWould) {
    const QString lines = R"(
scroll Pad.HScroll1 3
scroll Pad.HScroll1 1
expect value Pad.HScroll1 1
drag Pad.Picture1 10.2 20.4 300.9 -5.1
pick Pad.List1 "b"
pick Pad.List1 #2
pick Pad.List1 "b"
expect index Pad.List1 1
cell Pad.MSFlexGrid2 2 1
dialog color 1 2 3
click Pad.Command1
expect text Pad.Label1 "S1 S2 S3 C3 S2 S1 C1 M0:10.2,20.4 D1:10.2,20.4 M1:300.9,-5.1 U1:300.9,-5.1 K1010 K2011 K1001 G2,1 colour#010203"
expect cellback Pad.MSFlexGrid2 1 1 255 0 0
expect cellback Pad.MSFlexGrid2 0 1 224 224 224
expect items Pad.List2
expect index Pad.List2 -1
)";
    EXPECT_EQ(play(lines), "");
}

TEST(ScenarioCommands, ARefusedFocusStopsAScrollAndADrag) {
    EXPECT_EQ(
        play("type Pad.Text1 \"no\"\nscroll Pad.HScroll1 2\ndrag Pad.Picture1 5.1 5.1 10.2 10.2\n"
             "expect value Pad.HScroll1 0\n"
             "expect text Pad.Label1 \"M0:5.1,5.1 D1:5.1,5.1 M1:10.2,10.2 U1:10.2,10.2\"\n"),
        "");
    EXPECT_EQ(play("scroll Pad.HScroll1 11\n"), "2: scroll Pad.HScroll1 11: 11 lies outside 0..10");
}

TEST(ScenarioCommands, EmptyListsHeightsRecordsAndTables) {
    stores::TextTable table(2, 1);
    table.setCell(0, 0, "Colour");
    table.setCell(0, 1, "Red");
    table.setCell(2, 1, "255");
    common::Public().Stores.paletteGroups.append({QStringLiteral("Colour"), qint16(2), table});
    const QString lines = R"(
expect height Pad 4860
expect record palettes 0 "Colour" "2"
expect table palettes 0 1 "Red" "" "255"
expect table palettes 0 2
expect table palettes 0 0
)";
    EXPECT_EQ(play(lines),
              "7: expect table palettes 0 0: the table has row 0: \"Colour\" \"\" \"\"");
    common::resetPublic();
}

} // namespace
