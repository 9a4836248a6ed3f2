#include "writer/SaveFixture.h"

#include "platform/Services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
    EXPECT_EQ(entriesOf(folder.path()), QStringList{"SPOT1.K36"});
}

// These targets fail for every user, root included, so the failures are real writes.
TEST(AtomicWrite, AFailureGivesItsReasonAndLeavesTheFolderAsItWas) {
    QTemporaryDir folder;

    const auto missingParent = WriteFileAtomically(folder.filePath("gone/SPOT1.K36"), "new");
    ASSERT_TRUE(missingParent.has_value());
    EXPECT_FALSE(missingParent->isEmpty());
    EXPECT_TRUE(entriesOf(folder.path()).isEmpty());

    const QString taken = folder.filePath("taken.K36");
    ASSERT_TRUE(QDir().mkpath(taken));
    writeBytes(taken + "/inside.txt", "keep");
    const auto isFolder = WriteFileAtomically(taken, "new");
    ASSERT_TRUE(isFolder.has_value());
    EXPECT_FALSE(isFolder->isEmpty());
    EXPECT_EQ(readAll(taken + "/inside.txt"), QByteArray("keep"));

    // The file itself can exist, but no temporary name beside it can: the write fails only at
    // the last step, after the new bytes were written out.
    const QString longest = folder.filePath(QString(251, 'a') + ".K36");
    writeBytes(longest, "old contents");
    const auto lastStep = WriteFileAtomically(longest, "new contents");
    ASSERT_TRUE(lastStep.has_value());
    EXPECT_FALSE(lastStep->isEmpty());
    EXPECT_EQ(readAll(longest), QByteArray("old contents"));
    EXPECT_EQ(entriesOf(folder.path()).size(), 2);
}
