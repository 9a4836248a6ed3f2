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
    ASSERT_TRUE(QDir().mkpath(root.filePath("withFile")) &&
                QDir().mkpath(root.filePath("onlyFolders/sub")) &&
                QDir().mkpath(root.filePath("onlyHidden")));
    writeBytes(root.filePath("withFile/a.K36"), "x");
    writeBytes(root.filePath("onlyHidden/.hidden"), "x");
    EXPECT_EQ(StartingSaveFolder(root.filePath("withFile")), root.filePath("withFile"));
    for (const QString& folder : {QString(), root.filePath("gone"), root.filePath("onlyFolders"),
                                  root.filePath("onlyHidden")})
        EXPECT_EQ(StartingSaveFolder(folder), platform::documentsFolder()) << folder.toStdString();
    EXPECT_EQ(FolderOfFile("/SPOT1.K36"), "/");
}

TEST(AtomicWrite, AnOldFileIsReplacedWholeAlsoUnderTheLongestName) {
    QTemporaryDir folder;
    const QString path = folder.filePath("SPOT1.K36");
    EXPECT_EQ(WriteFileAtomically(path, "line one\r\nline two\r\n\xb5\xc6\r\n"), std::nullopt);
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
    const std::vector<std::pair<QString, QString>> cases{
        {"gone/SPOT1.K36", "文件夹不存在"},
        {"plain.txt/SPOT1.K36", "文件夹不存在"}, // a file where a folder should be
        {QString(256, 'a') + ".K36", "文件名太长"},
        {"pipe.K36", "该名称不是普通文件"},
        {"loop.K36", "符号链接的层数过多"}, // a link that leads round in a circle
    };
    QTemporaryDir folder;
    writeBytes(folder.filePath("plain.txt"), "plain");
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.filePath("pipe.K36")).constData(), 0644), 0);
    ASSERT_TRUE(QFile::link("loop.K36", folder.filePath("loop.K36")));
    const QStringList before = entriesOf(folder.path());
    for (const auto& [name, reason] : cases) {
        EXPECT_EQ(WriteFileAtomically(folder.filePath(name), "new"), reason) << name.toStdString();
        EXPECT_EQ(entriesOf(folder.path()), before) << name.toStdString();
    }
}
