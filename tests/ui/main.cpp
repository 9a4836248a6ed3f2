#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // gtest_discover_tests runs this binary at build time, outside CTest's
    // environment, so the headless platform has to be the default here.
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
