#include "channels/Form2.h"
#include "channels/Form2_3.h"
#include "channels/Vocabulary.h"
#include "common/Public.h"
#include "tests/support/ChannelTestRows.h"
#include "tests/support/EditorTest.h"

// Rows written behind the settings dialog (the quick setup writes rows) may give a coarse
// channel that is no 16bit channel a fine part already, which no scenario can bring about: a
// second fine part for it is refused.
TEST_F(EditorTest, ChannelDialogRefusesASecondFinePartForTheSameCoarseChannel) {
    common::Public().ChannelCount = 3;
    channels::Form2& page = platform::window<channels::Form2>();
    page.Show();
    page.writeRowsToGrid({MakeChannel(1, "Pan", "03", "Right", "LTP", "Pan", "L", "E"),
                          MakeFinePart(2, "Pan fine", 1, "E"), NumberOnly(3)});
    page.MSFlexGrid1->userClickCell(3, 1);
    channels::Form2_3& dialog = platform::window<channels::Form2_3>();
    dialog.Combo1->userPick(channels::PartTypeIndex);
    dialog.Combo5->userPick(0);
    EXPECT_TRUE(messageTexts().isEmpty()) << "no check while the name is empty";
    desktop.answerMessage(platform::MsgResult::Ok);
    dialog.Text1->userFocus();
    dialog.Text1->userKeyPress('P');
    EXPECT_EQ(messageTexts(), QStringList{"16bit的低8位通道被重复设置，请修改..."});
    EXPECT_EQ(dialog.Combo5->ListIndex(), -1);
    EXPECT_EQ(dialog.ActiveControl(), dialog.Combo5);
    EXPECT_FALSE(dialog.Command1->Enabled());
}
