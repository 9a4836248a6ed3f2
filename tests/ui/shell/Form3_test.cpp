#include "shell/Form3.h"

#include "common/Public.h"
#include "platform/Services.h"
#include "tests/support/EditorTest.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <functional>
#include <sys/mount.h>
#include <sys/resource.h>

// The save path's failures that no scenario can bring about: the disk refusing a write that has
// begun, and a store value the file cannot hold.

using common::Public;
using platform::MsgIcon;
using platform::MsgResult;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Lowers the size a file may grow to for as long as it stands. The limit's signal keeps its
// default action: the save itself has to keep it from ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &saved_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
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

class SaveFailure : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        // The remembered folder of these tests lives and dies with the test.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    }
    // Save answered OK, the dialog answered with the path.
    void save(const QString& path) {
        desktop.answerMessage(MsgResult::Ok);
        desktop.answerMessage(MsgResult::Ok); // success or failure
        desktop.answerDialog(path);
        platform::window<shell::Form3>().Command7->click();
    }

    // Saves over an earlier save in the folder while the trouble set up by whileFailing around
    // the save it is given makes the save fail. The failure is told with its reason; the old
    // file, the folder, the remembered folder and the unsaved edits stay.
    void saveFails(const QString& inFolder, const QString& reason,
                   const std::function<void(const std::function<void()>&)>& whileFailing) {
        platform::window<shell::Form3>().Show();
        const QString path = inFolder + "/SPOT1.K36";
        save(path);
        const QByteArray oldFile = readAll(path);
        ASSERT_GT(oldFile.size(), 1024);
        platform::SaveSetting("TavoK36Edit", "SaveDir", "Dir", "elsewhere");
        Public().DataChanged = true;
        const QStringList entries = QDir(inFolder).entryList(QDir::AllEntries | QDir::Hidden);

        whileFailing([&] { save(path); });

        const platform::MessageRequest& failure = desktop.messages.back();
        EXPECT_EQ(failure.text, "文件保存失败：" + reason);
        EXPECT_EQ(failure.icon, MsgIcon::Exclamation);
        EXPECT_TRUE(readAll(path) == oldFile);
        EXPECT_EQ(QDir(inFolder).entryList(QDir::AllEntries | QDir::Hidden), entries);
        EXPECT_EQ(platform::GetSetting("TavoK36Edit", "SaveDir", "Dir"), "elsewhere");
        EXPECT_TRUE(Public().DataChanged);
        EXPECT_TRUE(desktop.problems.empty());
        // The dialog offers fixture files and asks before replacing or creating one.
        const platform::SaveDialogRequest& dialog = desktop.saveDialogs.back();
        EXPECT_EQ(dialog.filter + " " + dialog.defaultExt, "K36灯库文件 (*.K36)|*.K36 K36");
        EXPECT_TRUE(dialog.overwritePrompt && dialog.createPrompt);
    }

    QTemporaryDir settingsDir;
    QTemporaryDir folder;
};

} // namespace

TEST_F(SaveFailure, AWriteStoppedByTheFileSizeLimit) {
    saveFails(folder.path(), "文件超出了允许的大小", [](const std::function<void()>& save) {
        const FileSizeLimit limit(1024);
        save();
    });
}

TEST_F(SaveFailure, AFullDisk) {
    const SmallDisk disk(folder.filePath("disk"));
    if (!disk.mounted()) {
        GTEST_SKIP() << "a small file system of its own needs the right to mount one";
    }
    const QString fixtures = folder.filePath("disk/fixtures");
    ASSERT_TRUE(QDir().mkpath(fixtures));
    saveFails(fixtures, "磁盘空间已满", [&](const std::function<void()>& save) {
        fillUp(folder.filePath("disk/filler"));
        save();
    });
}

TEST_F(SaveFailure, AValueTheFileCannotHoldTouchesNoFile) {
    saveFails(folder.path(),
              "素材组 \"Colour\"，素材 \"Red\"，通道 1：\"300\" 不是 0 至 255 之间的数值",
              [](const std::function<void()>& save) {
                  // A palette value outside one byte, on channel 1.
                  stores::TextTable table(2, 1);
                  table.setCell(2, 0, "1");
                  table.setCell(0, 1, "Red");
                  table.setCell(2, 1, "300");
                  Public().Stores.paletteGroups.append({QString("Colour"), qint16(1), table});
                  save();
              });
}
