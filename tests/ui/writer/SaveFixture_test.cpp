#include "writer/SaveFixture.h"

#include "platform/Services.h"
#include "tests/support/ChildProcess.h"

#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <bit>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

using namespace writer;
using testsupport::ChildEnd;
using testsupport::runInChild;

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

QByteArray outcome(const std::optional<QString>& failure) {
    return failure ? failure->toUtf8() : QByteArray("saved");
}

// From now on the system answers this process's calls numbered call with action: every such
// call, or with flagBits only those whose third argument holds one of them. False when the
// system filters no calls.
bool filterSystemCall(long call, std::uint32_t action, std::uint32_t flagBits = 0) {
    const auto statement = [](std::uint16_t code, std::uint32_t operand) {
        return sock_filter{code, 0, 0, operand};
    };
    const auto jump = [](std::uint16_t code, std::uint32_t operand, std::uint8_t skipWhenTrue,
                         std::uint8_t skipWhenFalse) {
        return sock_filter{code, skipWhenTrue, skipWhenFalse, operand};
    };
    // The low half of the third argument.
    const std::uint32_t thirdArgument = offsetof(seccomp_data, args) + 2 * sizeof(std::uint64_t) +
                                        (std::endian::native == std::endian::big ? 4 : 0);
    std::vector<sock_filter> program{
        statement(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        jump(BPF_JMP | BPF_JEQ | BPF_K, static_cast<std::uint32_t>(call), 0, flagBits ? 3 : 1)};
    if (flagBits != 0) {
        program.push_back(statement(BPF_LD | BPF_W | BPF_ABS, thirdArgument));
        program.push_back(jump(BPF_JMP | BPF_JSET | BPF_K, flagBits, 0, 1));
    }
    program.push_back(statement(BPF_RET | BPF_K, action));
    program.push_back(statement(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
    const sock_fprog filter{static_cast<unsigned short>(program.size()), program.data()};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) == 0;
}

// Whether the file system of the folder makes files without a name.
bool makesUnnamedFiles(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_TMPFILE | O_WRONLY, 0600);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

const QByteArray NoFilter = "no filter";

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

// A save as root into a folder whose mode grants no writing is refused as for every other user,
// through a link from elsewhere too.
TEST(AtomicWrite, AFolderItsOwnerMayNotWriteIsRefusedForEveryUser) {
    QTemporaryDir root;
    const QString locked = root.filePath("locked");
    ASSERT_TRUE(QDir().mkpath(locked));
    writeBytes(locked + "/SPOT1.K36", "old fixture");
    ASSERT_TRUE(QFile::link("locked/SPOT1.K36", root.filePath("elsewhere.K36")));
    ASSERT_EQ(::chmod(QFile::encodeName(locked).constData(), 0555), 0);
    for (const char* name : {"locked/SPOT1.K36", "locked/NEW.K36", "elsewhere.K36"}) {
        EXPECT_EQ(WriteFileAtomically(root.filePath(name), "new"), "没有写入权限") << name;
    }
    EXPECT_EQ(entriesOf(locked), QStringList({"SPOT1.K36"}));
    EXPECT_EQ(readAll(locked + "/SPOT1.K36"), QByteArray("old fixture"));
    ::chmod(QFile::encodeName(locked).constData(), 0755);
}

// "alias" leads to real/d, and real/d/link.K36 to ../b/x.K36: from real/d the system goes up to
// real and into real/b. Read as text, "alias/../b" would be a folder b beside alias.
TEST(AtomicWrite, LinkedFoldersAndALinkAtTheEndAreFollowedAsTheSystemFollowsThem) {
    for (const bool folderBesideAlias : {false, true}) {
        QTemporaryDir root;
        ASSERT_TRUE(QDir().mkpath(root.filePath("real/d")) &&
                    QDir().mkpath(root.filePath("real/b")));
        writeBytes(root.filePath("real/b/x.K36"), "old fixture");
        ASSERT_TRUE(QFile::link("real/d", root.filePath("alias")) &&
                    QFile::link("../b/x.K36", root.filePath("real/d/link.K36")));
        if (folderBesideAlias) {
            ASSERT_TRUE(QDir().mkpath(root.filePath("b")));
        }

        EXPECT_EQ(WriteFileAtomically(root.filePath("alias/link.K36"), "replaced"), std::nullopt);
        const QString created = root.filePath("alias/../b/y.K36");
        EXPECT_EQ(WriteFileAtomically(created, "created"), std::nullopt);

        EXPECT_EQ(readAll(root.filePath("real/b/x.K36")), QByteArray("replaced"));
        EXPECT_EQ(readAll(root.filePath("real/b/y.K36")), QByteArray("created"));
        EXPECT_EQ(entriesOf(root.filePath("real/b")), QStringList({"x.K36", "y.K36"}));
        EXPECT_TRUE(QFileInfo(root.filePath("real/d/link.K36")).isSymLink());
        EXPECT_EQ(entriesOf(root.filePath("real/d")), QStringList({"link.K36"}));
        if (folderBesideAlias) {
            EXPECT_EQ(entriesOf(root.filePath("b")), QStringList());
        }
        // The next save starts where this one went.
        EXPECT_EQ(StartingSaveFolder(FolderOfFile(created)), root.filePath("alias/../b"));
    }
}

// No text of the system's, which is English, reaches the user, whatever the error: a move to
// another file system included.
TEST(AtomicWrite, EveryErrorHasAReasonInChinese) {
    EXPECT_EQ(FileErrorReason(EXDEV), "文件不能跨文件系统移动");
    for (int error = 1; error < 256; ++error) {
        const QString reason = FileErrorReason(error);
        EXPECT_FALSE(reason.isEmpty()) << error;
        EXPECT_TRUE(std::none_of(reason.begin(), reason.end(),
                                 [](QChar c) { return c.isLetter() && c.unicode() < 128; }))
            << error << " " << reason.toStdString();
    }
}

// The limit's signal would end the program in the middle of the save; the save sees to it.
TEST(AtomicWrite, AWritePastTheFileSizeLimitFailsWithItsReason) {
    QTemporaryDir folder;
    const QString path = folder.filePath("SPOT1.K36");
    writeBytes(path, "old fixture");
    const ChildEnd end = runInChild([&] {
        testsupport::limitFileSize(1024);
        return outcome(WriteFileAtomically(path, QByteArray(4096, 'x')));
    });
    EXPECT_TRUE(end.exited) << "ended by signal " << end.signal;
    EXPECT_EQ(QString::fromUtf8(end.output), "文件超出了允许的大小");
    EXPECT_EQ(readAll(path), QByteArray("old fixture"));
    EXPECT_EQ(entriesOf(folder.path()), QStringList({"SPOT1.K36"}));
}

// Where the file system makes no unnamed files (the system is made to refuse them here), the
// new contents go to a hidden file beside the target, which a failure removes.
TEST(AtomicWrite, WithoutUnnamedFilesAHiddenFileTakesTheirPlace) {
    QTemporaryDir folder;
    const QString path = folder.filePath("SPOT1.K36");
    writeBytes(path, "old fixture");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    const ChildEnd end = runInChild([&] {
        if (!filterSystemCall(SYS_openat, SECCOMP_RET_ERRNO | EOPNOTSUPP,
                              O_TMPFILE & ~O_DIRECTORY) ||
            makesUnnamedFiles(folder.path())) {
            return NoFilter;
        }
        QByteArrayList outcomes{outcome(WriteFileAtomically(path, "new fixture")),
                                outcome(WriteFileAtomically(folder.filePath("NEW.K36"), "new"))};
        testsupport::limitFileSize(4);
        outcomes << outcome(WriteFileAtomically(path, "longer than the limit"));
        return outcomes.join('\n');
    });
    if (end.output == NoFilter) {
        GTEST_SKIP() << "this system cannot be made to refuse unnamed files";
    }
    EXPECT_EQ(QString::fromUtf8(end.output), "saved\nsaved\n文件超出了允许的大小");
    EXPECT_EQ(entriesOf(folder.path()), QStringList({"NEW.K36", "SPOT1.K36"}));
    EXPECT_EQ(readAll(path), QByteArray("new fixture"));
    EXPECT_EQ(QFileInfo(path).permissions(), QFile::ReadOwner | QFile::WriteOwner |
                                                 QFile::ReadUser | QFile::WriteUser |
                                                 QFile::ReadGroup);
}

// The save ended by the system at one of its steps, up to the new file's taking a name: the
// folder is as it was, nothing stays behind.
TEST(AtomicWrite, ASaveEndedMidwayLeavesNothingBehind) {
    struct Case {
        const char* step;
        long call;
        const char* target;
    };
    const std::vector<Case> cases{
        {"writing", SYS_write, "SPOT1.K36"},
        {"syncing", SYS_fsync, "SPOT1.K36"},
        {"naming the replacing file", SYS_linkat, "SPOT1.K36"},
        {"naming a new file", SYS_linkat, "NEW.K36"},
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        if (!makesUnnamedFiles(folder.path())) {
            GTEST_SKIP() << "the file system makes no unnamed files";
        }
        writeBytes(folder.filePath("SPOT1.K36"), "old fixture");
        const ChildEnd end = runInChild([&] {
            if (!filterSystemCall(c.call, SECCOMP_RET_KILL_PROCESS)) {
                return NoFilter;
            }
            return outcome(WriteFileAtomically(folder.filePath(c.target), "new fixture"));
        });
        if (end.output == NoFilter) {
            GTEST_SKIP() << "this system cannot end a process at a system call";
        }
        EXPECT_EQ(end.signal, SIGSYS) << c.step << ": " << end.output.toStdString();
        EXPECT_EQ(entriesOf(folder.path()), QStringList({"SPOT1.K36"})) << c.step;
        EXPECT_EQ(readAll(folder.filePath("SPOT1.K36")), QByteArray("old fixture")) << c.step;
    }
}
