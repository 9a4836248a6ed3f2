#include "writer/SaveFixture.h"

#include "platform/Services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace writer;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

} // namespace

TEST(SaveFolder, TheRememberedFolderIsUsedOnlyWhileItHoldsAnOrdinaryFile) {
    QTemporaryDir root;
    const QString withFile = root.filePath("withFile");
    const QString onlyFolders = root.filePath("onlyFolders");
    const QString onlyHidden = root.filePath("onlyHidden");
    ASSERT_TRUE(QDir().mkpath(withFile) && QDir().mkpath(onlyFolders + "/sub") &&
                QDir().mkpath(onlyHidden));
    writeBytes(withFile + "/a.K36", "x");
    writeBytes(onlyHidden + "/.hidden", "x");

    EXPECT_EQ(StartingSaveFolder(withFile), withFile);
    const QString fallback = platform::documentsFolder();
    EXPECT_EQ(StartingSaveFolder(""), fallback);
    EXPECT_EQ(StartingSaveFolder(root.filePath("gone")), fallback);
    EXPECT_EQ(StartingSaveFolder(onlyFolders), fallback);
    EXPECT_EQ(StartingSaveFolder(onlyHidden), fallback);
}

TEST(SaveFolder, TheFolderOfAFileIsRememberedWithoutItsName) {
    EXPECT_EQ(FolderOfFile("/home/user/fixtures/SPOT1.K36"), "/home/user/fixtures");
    EXPECT_EQ(FolderOfFile("/SPOT1.K36"), "/");
}

TEST(AtomicWrite, ANewFileGetsExactlyTheBytesAndAnOldOneIsReplacedWhole) {
    QTemporaryDir folder;
    const QString path = folder.filePath("SPOT1.K36");
    const QByteArray first("line one\r\nline two\r\n\xb5\xc6\r\n");
    EXPECT_EQ(WriteFileAtomically(path, first), std::nullopt);
    EXPECT_EQ(readAll(path), first);

    // A shorter file over a longer one: nothing of the old tail may survive.
    EXPECT_EQ(WriteFileAtomically(path, "END\r\n"), std::nullopt);
    EXPECT_EQ(readAll(path), QByteArray("END\r\n"));

    // A name as long as the folder allows leaves no room beside it for a longer one.
    const QString longest = folder.filePath(QString(251, 'a') + ".K36");
    writeBytes(longest, "old contents");
    EXPECT_EQ(WriteFileAtomically(longest, "new contents"), std::nullopt);
    EXPECT_EQ(readAll(longest), QByteArray("new contents"));
    EXPECT_EQ(entriesOf(folder.path()), QStringList({"SPOT1.K36", QString(251, 'a') + ".K36"}));
}

// These targets fail for every user, root included, before anything is written.
TEST(AtomicWrite, AFailureGivesItsReasonAndLeavesTheFolderAsItWas) {
    struct Case {
        const char* what;
        QString name; // inside the test's folder
        QString reason;
    };
    const std::vector<Case> cases{
        {"a folder that is not there", "gone/SPOT1.K36", "文件夹不存在"},
        {"a file where a folder should be", "plain.txt/SPOT1.K36", "文件夹不存在"},
        {"a name too long", QString(256, 'a') + ".K36", "文件名太长"},
        {"a file its owner may not write", "locked.K36", "文件是只读的"},
        {"a named pipe", "pipe.K36", "该名称不是普通文件"},
        {"a link that leads round in a circle", "loop.K36", "符号链接的层数过多"},
    };
    QTemporaryDir folder;
    writeBytes(folder.filePath("plain.txt"), "plain");
    writeBytes(folder.filePath("locked.K36"), "locked");
    ASSERT_TRUE(QFile::setPermissions(folder.filePath("locked.K36"), QFile::ReadOwner));
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.filePath("pipe.K36")).constData(), 0644), 0);
    ASSERT_TRUE(QFile::link("loop.K36", folder.filePath("loop.K36")));
    const QStringList before = entriesOf(folder.path());

    for (const Case& c : cases) {
        EXPECT_EQ(WriteFileAtomically(folder.filePath(c.name), "new"), c.reason) << c.what;
        EXPECT_EQ(entriesOf(folder.path()), before) << c.what;
    }
    EXPECT_EQ(readAll(folder.filePath("locked.K36")), QByteArray("locked"));
}
