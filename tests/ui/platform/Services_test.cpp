#include "platform/Services.h"
#include "tests/support/ChildProcess.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A new file that cannot be written whole is no file: at the next start a part of it would
// pass for the whole one. The file-size limit's signal does not end the program on the way.
TEST(NewFile, AWritePastTheFileSizeLimitFailsAndLeavesNoFile) {
    QTemporaryDir folder;
    const QString path = folder.filePath("MSFLXGRD.OCX");
    const testsupport::ChildEnd end = testsupport::runInChild([&] {
        testsupport::limitFileSize(1024);
        return QByteArray(platform::writeNewFile(path, QByteArray(4096, 'x')) ? "written"
                                                                              : "refused");
    });
    EXPECT_TRUE(end.exited) << "ended by signal " << end.signal;
    EXPECT_EQ(end.output, "refused");
    EXPECT_FALSE(QFile::exists(path));
}
