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
#include <csignal>
#include <functional>
#include <sys/mount.h>
#include <sys/resource.h>

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

// Lowers the size a file may grow to for as long as it stands. A write beyond it then fails
// with an error, instead of the signal that would end the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

// A file system of 64 KiB in memory on a folder of its own, for as long as it stands. Mounting
// needs root and a system that allows it; mounted() says whether it worked.
class SmallDisk {
public:
    explicit SmallDisk(const QString& path) : path_(path) {
        mounted_ = QDir().mkpath(path) && ::mount("tmpfs", QFile::encodeName(path).constData(),
                                                  "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk() {
        if (mounted_) {
            ::umount2(QFile::encodeName(path_).constData(), MNT_DETACH);
        }
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool mounted() const { return mounted_; }
    QString path() const { return path_; }

private:
    QString path_;
    bool mounted_ = false;
};

// Writes to the file until its file system is full.
void fillUp(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'x');
    while (file.write(block) == block.size()) {
    }
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

    // Saves over an earlier save in the folder while disk trouble, set up by whileFailing around
    // the save it is given, makes the write fail after it began. The failure is told with its
    // reason; the old file, the folder, the remembered folder and the unsaved edits stay.
    void saveFailsMidway(const QString& inFolder, const QString& reason,
                         const std::function<void(const std::function<void()>&)>& whileFailing) {
        fillFixture();
        auto& page = showPage();
        const QString path = inFolder + "/SPOT1.K36";
        desktop.answerMessage(MsgResult::Ok);
        save(page, path);
        const QByteArray oldFile = readAll(path);
        ASSERT_GT(oldFile.size(), 1024);
        platform::SaveSetting("TavoK36Edit", "SaveDir", "Dir", "elsewhere");
        Public().DataChanged = true;
        const QStringList entries = QDir(inFolder).entryList(QDir::AllEntries | QDir::Hidden);

        desktop.answerMessage(MsgResult::Ok); // the failure box
        whileFailing([&] { save(page, path); });

        const platform::MessageRequest& failure = desktop.messages.back();
        EXPECT_EQ(failure.text, "文件保存失败：" + reason);
        EXPECT_EQ(failure.buttons, MsgButtons::OkOnly);
        EXPECT_EQ(failure.icon, MsgIcon::Exclamation);
        EXPECT_TRUE(readAll(path) == oldFile);
        EXPECT_EQ(QDir(inFolder).entryList(QDir::AllEntries | QDir::Hidden), entries);
        EXPECT_EQ(remembered(), "elsewhere");
        EXPECT_TRUE(Public().DataChanged);
        EXPECT_TRUE(desktop.problems.empty());
    }

    QTemporaryDir settingsDir;
    QTemporaryDir folder;
};

} // namespace

TEST_F(Form3Test, AWriteThatFailsMidwayIsToldAndLeavesFileFolderAndFlagAsTheyWere) {
    // Files may grow to 1 KiB only, and the process hears of it as an error rather than a
    // signal: the save's write stops with the file a few lines long.
    saveFailsMidway(folder.path(), "文件超出了允许的大小", [](const std::function<void()>& save) {
        const FileSizeLimit limit(1024);
        save();
    });
}

TEST_F(Form3Test, AFullDiskIsToldAndLeavesFileFolderAndFlagAsTheyWere) {
    const SmallDisk disk(folder.filePath("disk"));
    if (!disk.mounted()) {
        GTEST_SKIP() << "a small file system of its own needs the right to mount one";
    }
    const QString fixtures = disk.path() + "/fixtures";
    ASSERT_TRUE(QDir().mkpath(fixtures));
    saveFailsMidway(fixtures, "磁盘空间已满", [&](const std::function<void()>& save) {
        fillUp(disk.path() + "/filler");
        save();
    });
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

    EXPECT_EQ(
        messageTexts().last(),
        "文件保存失败：素材组 \"Colour\"，素材 \"Red\"，通道 1：\"300\" 不是 0 至 255 之间的数值");
    EXPECT_EQ(desktop.messages.back().icon, MsgIcon::Exclamation);
    EXPECT_EQ(readAll(path), firstFile);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"SPOT1.K36"});
}
