#include "shell/Form3.h"

#include "basicinfo/Form1.h"
#include "channels/Form2.h"
#include "common/Public.h"
#include "platform/Services.h"
#include "tests/support/EditorTest.h"
#include "writer/K36Format.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

using namespace channels;
using namespace stores;
using namespace writer;
using enum channels::ChannelColumn;

using common::Public;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using shell::Form3;
using testsupport::ScriptedDesktop;

namespace {

const ChannelRows Rows = {
    {"1", "Dimmer", "01", "Left", "HTP", "100", "1", "N", "Dimmer", "255", "255", "0", "H", "H"},
    {"2", "Pan", "02", "Right", "LTP", "100", "1", "N", "Pan", "128", "255", "0", "L", "E"},
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Form3Test : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        // The remembered folder of these tests lives and dies with the test.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
        desktop.pinnedNow = QDateTime(QDate(2024, 5, 6), QTime(13, 2, 3));
        desktop.pinnedLocale = QLocale(QLocale::Chinese, QLocale::China);
        desktop.pinnedVersion = {1, 6, 21};
        Public().WindowTitle = "TAVO_K36_Editor V1.6.21";
        Public().EditingFileLabel = "新建K36文件...";
    }

    // A moving head of two channels, typed into the basic information page and the grid.
    void fillFixture() {
        auto& info = platform::window<basicinfo::Form1>();
        info.Text3->setText("MAKER");
        info.Text4->setText("SPOT1");
        info.Text5->setText("2");
        info.Text6->setText("1");
        info.Text7->setText("511");
        info.Text8->setText("1");
        info.Option2[1]->setValue(true);
        info.Combo1->setListIndex(1);
        info.Text9->setText("540");
        info.Text10->setText("270");
        auto& channels = platform::window<channels::Form2>();
        channels.MSFlexGrid1->setCols(ChannelColumnCount);
        channels.MSFlexGrid1->setRows(3);
        channels.writeRowsToGrid(Rows);
    }

    // The same fixture written out by hand, to tell which box each line was read from.
    static QByteArray expectedFile(const QString& fileTitle) {
        FixtureSnapshot f;
        f.info.makerName = "MAKER";
        f.info.deviceName = "SPOT1";
        f.info.channelCountText = "2";
        f.info.minDmx = "1";
        f.info.maxDmx = "511";
        f.info.divBy = "1";
        f.info.maxPan = "540";
        f.info.maxTilt = "270";
        f.info.conventional = false;
        f.info.movingLightType = 1;
        f.channelCount = 2;
        f.rows = Rows;
        f.fileTitle = fileTitle;
        f.versionMajor = 1;
        f.versionMinor = 6;
        f.versionRevision = 21;
        f.dateTimeText = DateTimeText(QDateTime(QDate(2024, 5, 6), QTime(13, 2, 3)),
                                      QLocale(QLocale::Chinese, QLocale::China));
        AdvancedStores stores;
        return BuildFixtureFile(f, stores).bytes;
    }

    Form3& showPage() {
        auto& page = platform::window<Form3>();
        page.Show();
        return page;
    }

    // Save answered OK, the dialog answered with the path or cancelled.
    void save(Form3& page, const std::optional<QString>& path) {
        desktop.answerMessage(MsgResult::Ok);
        if (path) {
            desktop.answerDialog(*path);
        } else {
            desktop.answerDialog(ScriptedDesktop::Cancelled{});
        }
        page.Command7->userClick();
    }

    static QString remembered() {
        return platform::GetSetting("TavoK36Edit", "SaveDir", "Dir", "-");
    }

    QTemporaryDir settingsDir;
    QTemporaryDir folder;
};

} // namespace

TEST_F(Form3Test, LoadingTakesTheTitleAndActivationShowsTheFileBeingEdited) {
    Public().ResetInProgress = true;
    auto& page = showPage();
    EXPECT_EQ(page.Caption(), "TAVO_K36_Editor V1.6.21");
    EXPECT_FALSE(Public().ResetInProgress);
    EXPECT_EQ(page.Label4->Caption(), "正在编辑：新建K36文件...");
    EXPECT_EQ(page.Command4->Caption(), "范围表编辑");
    EXPECT_FALSE(page.Command11->isEnabled());
    EXPECT_FALSE(page.Command1->isEnabled());
}

TEST_F(Form3Test, SavingWritesTheFixtureAndRemembersTheFolder) {
    fillFixture();
    Public().DataChanged = true;
    auto& page = showPage();
    const QString path = folder.filePath("SPOT1.K36");
    desktop.answerMessage(MsgResult::Ok); // the success box
    save(page, path);

    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[0].text, "开始生成K36文件...");
    EXPECT_EQ(desktop.messages[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(desktop.messages[0].icon, MsgIcon::None);
    EXPECT_EQ(desktop.messages[1].text, "文件保存成功！");
    EXPECT_EQ(desktop.messages[1].buttons, MsgButtons::OkOnly);
    EXPECT_EQ(desktop.messages[1].icon, MsgIcon::Information);
    EXPECT_EQ(desktop.messages[1].title, "操作提示");

    ASSERT_EQ(desktop.saveDialogs.size(), 1u);
    const platform::SaveDialogRequest& dialog = desktop.saveDialogs[0];
    EXPECT_EQ(dialog.initDir, platform::documentsFolder()); // nothing remembered yet
    EXPECT_EQ(dialog.filter, "K36灯库文件 (*.K36)|*.K36");
    EXPECT_EQ(dialog.filterIndex, 1);
    EXPECT_EQ(dialog.defaultExt, "K36");
    EXPECT_TRUE(dialog.overwritePrompt);
    EXPECT_TRUE(dialog.createPrompt);
    EXPECT_TRUE(dialog.fileName.isEmpty());

    EXPECT_EQ(readAll(path), expectedFile("SPOT1.K36"));
    EXPECT_EQ(remembered(), folder.path());
    EXPECT_FALSE(Public().DataChanged);
    EXPECT_TRUE(desktop.problems.empty());
}

TEST_F(Form3Test, TheNextSaveStartsInTheRememberedFolderWithTheLastFileName) {
    fillFixture();
    auto& page = showPage();
    const QString first = folder.filePath("SPOT1.K36");
    desktop.answerMessage(MsgResult::Ok);
    save(page, first);
    desktop.answerMessage(MsgResult::Ok);
    save(page, folder.filePath("SPOT2.K36"));

    ASSERT_EQ(desktop.saveDialogs.size(), 2u);
    EXPECT_EQ(desktop.saveDialogs[1].initDir, folder.path());
    EXPECT_EQ(desktop.saveDialogs[1].fileName, first);
    EXPECT_EQ(readAll(folder.filePath("SPOT2.K36")), expectedFile("SPOT2.K36"));

    // A remembered folder that was emptied no longer serves as the start.
    QFile::remove(first);
    QFile::remove(folder.filePath("SPOT2.K36"));
    desktop.answerMessage(MsgResult::Ok);
    save(page, std::nullopt);
    EXPECT_EQ(desktop.saveDialogs[2].initDir, platform::documentsFolder());
}

TEST_F(Form3Test, CancelOnTheQuestionOrInTheDialogKeepsTheEditsUnsaved) {
    fillFixture();
    Public().DataChanged = true;
    auto& page = showPage();

    desktop.answerMessage(MsgResult::Cancel);
    page.Command7->userClick();
    EXPECT_TRUE(desktop.saveDialogs.empty());
    EXPECT_TRUE(Public().DataChanged);

    save(page, std::nullopt);
    EXPECT_EQ(messageTexts(), QStringList({"开始生成K36文件...", "开始生成K36文件..."}));
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
    EXPECT_EQ(remembered(), "-");
    EXPECT_TRUE(Public().DataChanged);

    // So the exit question still warns about the unsaved work.
    desktop.answerMessage(MsgResult::Cancel);
    page.Command10->userClick();
    EXPECT_EQ(messageTexts().last(), "数据已被改变，确定放弃并退出？");
}

TEST_F(Form3Test, AFailedWriteSaysSoAndLeavesFileFolderAndFlagAsTheyWere) {
    fillFixture();
    auto& page = showPage();
    desktop.answerMessage(MsgResult::Ok);
    save(page, folder.filePath("SPOT1.K36"));
    const QByteArray firstFile = readAll(folder.filePath("SPOT1.K36"));
    Public().DataChanged = true;

    // A folder stands where the file should go: no user, root included, can write there.
    const QString taken = folder.filePath("taken.K36");
    ASSERT_TRUE(QDir().mkpath(taken));
    desktop.answerMessage(MsgResult::Ok); // the failure box
    save(page, taken);

    const platform::MessageRequest& failure = desktop.messages.back();
    EXPECT_TRUE(failure.text.startsWith("文件保存失败：")) << failure.text.toStdString();
    EXPECT_GT(failure.text.size(), QString("文件保存失败：").size());
    EXPECT_EQ(failure.buttons, MsgButtons::OkOnly);
    EXPECT_EQ(failure.icon, MsgIcon::Exclamation);
    EXPECT_TRUE(Public().DataChanged);
    EXPECT_EQ(remembered(), folder.path());
    EXPECT_EQ(readAll(folder.filePath("SPOT1.K36")), firstFile);
    EXPECT_TRUE(QDir(taken).isEmpty());
}

TEST_F(Form3Test, AValueThatCannotBeWrittenTouchesNoFile) {
    fillFixture();
    auto& page = showPage();
    const QString path = folder.filePath("SPOT1.K36");
    desktop.answerMessage(MsgResult::Ok);
    save(page, path);
    const QByteArray firstFile = readAll(path);

    // A palette value outside one byte would be a wrong number in the file: the save stops.
    TextTable table(2, 1);
    table.setCell(0, 0, "Colour");
    table.setCell(2, 0, "1");
    table.setCell(0, 1, "Red");
    table.setCell(1, 1, "1");
    table.setCell(2, 1, "300");
    Public().Stores.paletteGroups.append({QString("Colour"), qint16(1), table});
    desktop.answerMessage(MsgResult::Ok);
    save(page, path);

    EXPECT_EQ(messageTexts().last(), "文件保存失败：palette group \"Colour\", entry \"Red\", "
                                     "channel 1: \"300\" is not a value from 0 to 255");
    EXPECT_EQ(desktop.messages.back().icon, MsgIcon::Exclamation);
    EXPECT_EQ(readAll(path), firstFile);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"SPOT1.K36"});
}

TEST_F(Form3Test, NewEmptiesEverythingAndReopensTheBasicInformationPage) {
    fillFixture();
    auto& page = showPage();
    page.Command4->setCaption("范围表编辑 (2)");
    TextTable table(3, 1);
    table.setCell(0, 0, "1");
    Public().Stores.rangeTables.append({qint32(1), table});
    Public().DataChanged = true;

    desktop.answerMessage(MsgResult::Cancel);
    page.Command8->userClick();
    EXPECT_TRUE(platform::isLoaded<Form3>());
    EXPECT_EQ(Public().Stores.rangeTables.count(), 1);
    EXPECT_TRUE(Public().DataChanged);

    Public().EditingFileLabel = "";
    desktop.answerMessage(MsgResult::Ok);
    page.Command8->userClick();
    settle();
    EXPECT_EQ(messageTexts(), QStringList({"确定放弃已编辑的数据？",
                                           "确定放弃已编辑的数据？"})); // no exit question
    EXPECT_FALSE(platform::isLoaded<Form3>());
    auto& info = platform::window<basicinfo::Form1>();
    EXPECT_TRUE(info.Visible());
    EXPECT_TRUE(info.Text3->Text().isEmpty());
    EXPECT_TRUE(info.Text5->Text().isEmpty());
    EXPECT_EQ(Public().Stores.rangeTables.count(), 0);
    EXPECT_FALSE(Public().DataChanged);
    EXPECT_FALSE(Public().ResetInProgress);
    EXPECT_EQ(Public().EditingFileLabel, "新建K36文件...");

    // The page comes back fresh: plain captions, no file name from before.
    EXPECT_EQ(platform::window<Form3>().Command4->Caption(), "范围表编辑");
    EXPECT_TRUE(platform::window<Form3>().CommonDialog1->FileName.isEmpty());
}
